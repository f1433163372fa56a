#include "Base64.h"

#include "ReadMonitor.h"

#include <algorithm>
#include <array>

namespace quarro {
namespace native {

namespace {

char const alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// Characters decoded per progress step: a few hundred microseconds of work, so that the cancel
// hook is asked often enough without costing more than the decoding.
constexpr qint64 decodeStep = 1 << 16;

// The value of each base64 character; -1 for every other byte.
std::array<signed char, 256> const& values() {
    static std::array<signed char, 256> const table = [] {
        std::array<signed char, 256> result{};
        result.fill(-1);
        for (int i = 0; i < 64; ++i) {
            result[static_cast<unsigned char>(alphabet[i])] = static_cast<signed char>(i);
        }
        return result;
    }();
    return table;
}

int valueOf(char c) {
    return values()[static_cast<unsigned char>(c)];
}

} // namespace

qint64 Base64::encodedSize(qint64 bytes) {
    return (bytes + 2) / 3 * 4;
}

void Base64::encode(unsigned char const* in, qint64 size, char* out) {
    qint64 const whole = size - size % 3;
    for (qint64 i = 0; i < whole; i += 3) {
        quint32 const group = (quint32(in[i]) << 16) | (quint32(in[i + 1]) << 8) | in[i + 2];
        out[0] = alphabet[group >> 18];
        out[1] = alphabet[(group >> 12) & 63];
        out[2] = alphabet[(group >> 6) & 63];
        out[3] = alphabet[group & 63];
        out += 4;
    }
    if (whole == size) {
        return;
    }
    quint32 group = quint32(in[whole]) << 16;
    if (size - whole == 2) {
        group |= quint32(in[whole + 1]) << 8;
    }
    out[0] = alphabet[group >> 18];
    out[1] = alphabet[(group >> 12) & 63];
    out[2] = size - whole == 2 ? alphabet[(group >> 6) & 63] : '=';
    out[3] = '=';
}

qint64 Base64::decodedSize(char const* text, qint64 length) {
    if (length % 4 != 0) {
        return -1;
    }
    qint64 padding = 0;
    if (length > 0 && text[length - 1] == '=') {
        padding = text[length - 2] == '=' ? 2 : 1;
    }
    return length / 4 * 3 - padding;
}

qint64 Base64::decode(char const* text, qint64 length, unsigned char* out, ReadMonitor& monitor) {
    if (length == 0) {
        return -1;
    }
    qint64 const full = length - 4; // the last group may carry padding
    qint64 position = 0;
    while (position < full) {
        qint64 const stepStart = position;
        qint64 const stepEnd = std::min(full, position + decodeStep);
        for (; position < stepEnd; position += 4) {
            int const a = valueOf(text[position]);
            int const b = valueOf(text[position + 1]);
            int const c = valueOf(text[position + 2]);
            int const d = valueOf(text[position + 3]);
            if ((a | b | c | d) < 0) {
                while (valueOf(text[position]) >= 0) {
                    ++position;
                }
                return position;
            }
            quint32 const group =
                (quint32(a) << 18) | (quint32(b) << 12) | (quint32(c) << 6) | quint32(d);
            out[0] = static_cast<unsigned char>(group >> 16);
            out[1] = static_cast<unsigned char>(group >> 8);
            out[2] = static_cast<unsigned char>(group);
            out += 3;
        }
        monitor.advance(static_cast<double>(stepEnd - stepStart));
    }

    // The last group: four characters, or two or three and padding.
    int kept = 4;
    quint32 group = 0;
    for (int i = 0; i < 4; ++i) {
        char const c = text[full + i];
        if (c == '=' && i >= 2 && (kept == 4 || kept < i)) {
            kept = std::min(kept, i);
            continue;
        }
        int const value = valueOf(c);
        if (value < 0 || kept != 4) {
            return full + i;
        }
        group |= quint32(value) << (18 - 6 * i);
    }
    for (int i = 0; i < kept - 1; ++i) {
        out[i] = static_cast<unsigned char>(group >> (16 - 8 * i));
    }
    return -1;
}

bool Base64::isBase64Text(char const* text, qint64 length) {
    for (qint64 i = 0; i < length; ++i) {
        if (valueOf(text[i]) < 0 && text[i] != '=') {
            return false;
        }
    }
    return true;
}

} // namespace native
} // namespace quarro
