#include "BinaryDxf.h"

#include <charconv>
#include <cstdint>
#include <cstring>

namespace quarro {
namespace readers {

namespace {

enum class ValueType { Text, Real, Int8, Int16, Int32, Int64, Flag, Chunk };

ValueType typeOf(int code) {
    auto within = [code](int first, int last) { return code >= first && code <= last; };
    if (within(10, 59) || within(110, 149) || within(210, 239) || within(460, 469) ||
        within(1010, 1059)) {
        return ValueType::Real;
    }
    if (within(60, 79) || within(170, 179) || within(270, 279) || within(370, 389) ||
        within(400, 409) || within(1060, 1070)) {
        return ValueType::Int16;
    }
    if (within(280, 289)) {
        return ValueType::Int8;
    }
    if (within(90, 99) || within(420, 429) || within(440, 459) || code == 1071) {
        return ValueType::Int32;
    }
    if (within(160, 169)) {
        return ValueType::Int64;
    }
    if (within(290, 299)) {
        return ValueType::Flag;
    }
    if (within(310, 319) || code == 1004) {
        return ValueType::Chunk;
    }
    return ValueType::Text;
}

template <class T>
T little(unsigned char const* p) {
    std::uint64_t bits = 0;
    for (std::size_t i = 0; i < sizeof(T); ++i) {
        bits |= static_cast<std::uint64_t>(p[i]) << (8 * i);
    }
    T value;
    if constexpr (sizeof(T) == 8) {
        std::memcpy(&value, &bits, sizeof(T));
    } else {
        auto const narrow = static_cast<std::uint32_t>(bits);
        std::memcpy(&value, &narrow, sizeof(T));
    }
    return value;
}

template <class T>
void appendNumber(std::string& text, T value) {
    char buffer[32];
    auto const result = std::to_chars(buffer, buffer + sizeof(buffer), value);
    text.append(buffer, result.ptr);
}

} // namespace

std::size_t binaryDxfToText(std::string_view bytes, std::string& text) {
    text.clear();
    auto const* data = reinterpret_cast<unsigned char const*>(bytes.data());
    std::size_t const size = bytes.size();
    std::size_t pos = binaryDxfSentinel.size();
    // R12 writes the first group (0 SECTION) with a one-byte code: a zero byte, then 'S'.
    bool const shortCodes = pos + 1 < size && data[pos] == 0 && data[pos + 1] == 'S';
    while (pos < size) {
        std::size_t const groupStart = pos;
        int code = 0;
        if (shortCodes) {
            code = data[pos++];
            if (code == 255) {
                if (pos + 2 > size) {
                    return groupStart;
                }
                code = little<std::uint16_t>(data + pos);
                pos += 2;
            }
        } else {
            if (pos + 2 > size) {
                return groupStart;
            }
            code = little<std::uint16_t>(data + pos);
            pos += 2;
        }
        std::size_t const lineStart = text.size();
        appendNumber(text, code);
        text += '\n';
        auto need = [&](std::size_t count) { return pos + count <= size; };
        bool whole = true;
        switch (typeOf(code)) {
        case ValueType::Text: {
            auto const* end =
                static_cast<unsigned char const*>(std::memchr(data + pos, 0, size - pos));
            if (end == nullptr) {
                whole = false;
                break;
            }
            // A value line cannot hold a line break.
            for (unsigned char const* c = data + pos; c != end; ++c) {
                text += (*c == '\n' || *c == '\r') ? ' ' : static_cast<char>(*c);
            }
            pos = static_cast<std::size_t>(end - data) + 1;
            break;
        }
        case ValueType::Real:
            if ((whole = need(8))) {
                appendNumber(text, little<double>(data + pos));
                pos += 8;
            }
            break;
        case ValueType::Int8:
        case ValueType::Flag:
            if ((whole = need(1))) {
                appendNumber(text, static_cast<int>(data[pos]));
                pos += 1;
            }
            break;
        case ValueType::Int16:
            if ((whole = need(2))) {
                appendNumber(text, little<std::int16_t>(data + pos));
                pos += 2;
            }
            break;
        case ValueType::Int32:
            if ((whole = need(4))) {
                appendNumber(text, little<std::int32_t>(data + pos));
                pos += 4;
            }
            break;
        case ValueType::Int64:
            if ((whole = need(8))) {
                appendNumber(text, little<std::int64_t>(data + pos));
                pos += 8;
            }
            break;
        case ValueType::Chunk: {
            if (!(whole = need(1))) {
                break;
            }
            std::size_t const length = data[pos];
            if (!(whole = need(1 + length))) {
                break;
            }
            static char const hex[] = "0123456789ABCDEF";
            for (std::size_t i = 0; i < length; ++i) {
                unsigned char const byte = data[pos + 1 + i];
                text += hex[byte >> 4];
                text += hex[byte & 15];
            }
            pos += 1 + length;
            break;
        }
        }
        if (!whole) {
            text.resize(lineStart);
            return groupStart;
        }
        text += '\n';
    }
    return size;
}

} // namespace readers
} // namespace quarro
