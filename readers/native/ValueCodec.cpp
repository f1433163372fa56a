#include "ValueCodec.h"

#include "NativeFormat.h"
#include "ReadMonitor.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonObject>
#include <QLatin1String>
#include <QtEndian>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <limits>

namespace quarro {
namespace native {

namespace {

// Base64 characters decoded per progress step: a few hundred microseconds of work, so that the
// cancel hook is asked often enough without costing more than the decoding.
constexpr qint64 base64Step = 65536;

QLatin1String const infinityText("Infinity");
QLatin1String const minusInfinityText("-Infinity");
QLatin1String const minusZeroText("-0");
QLatin1String const nanText("NaN");

// The value of each base64 character; -1 for every other character.
std::array<signed char, 256> const& base64Values() {
    static std::array<signed char, 256> const table = [] {
        std::array<signed char, 256> values{};
        values.fill(-1);
        char const alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
        for (int i = 0; i < 64; ++i) {
            values[static_cast<unsigned char>(alphabet[i])] = static_cast<signed char>(i);
        }
        return values;
    }();
    return table;
}

int base64Value(QChar c) {
    return c.unicode() < 256 ? base64Values()[c.unicode()] : -1;
}

QJsonObject encodedArray(QLatin1String encoding, std::size_t count, QByteArray const& bytes) {
    QByteArray const text = bytes.toBase64();
    QJsonObject array;
    array.insert(QStringLiteral("encoding"), encoding);
    array.insert(QStringLiteral("count"), static_cast<double>(count));
    // Latin-1 text goes into the JSON tree without a detour through UTF-16.
    array.insert(QStringLiteral("data"), QLatin1String(text.constData(), text.size()));
    return array;
}

} // namespace

QJsonValue ValueCodec::encodeNumber(double value) {
    if (std::isnan(value)) {
        return QJsonValue(QJsonValue::Null);
    }
    if (std::isinf(value)) {
        return value > 0 ? infinityText : minusInfinityText;
    }
    if (value == 0.0 && std::signbit(value)) {
        return minusZeroText;
    }
    return value;
}

bool ValueCodec::decodeNumber(QJsonValue const& json, double& value) {
    switch (json.type()) {
    case QJsonValue::Double:
        value = json.toDouble();
        return true;
    case QJsonValue::Null:
        value = std::numeric_limits<double>::quiet_NaN();
        return true;
    case QJsonValue::String: {
        QString const text = json.toString();
        if (text == nanText) {
            value = std::numeric_limits<double>::quiet_NaN();
        } else if (text == infinityText) {
            value = std::numeric_limits<double>::infinity();
        } else if (text == minusInfinityText) {
            value = -std::numeric_limits<double>::infinity();
        } else if (text == minusZeroText) {
            value = -0.0;
        } else {
            return false;
        }
        return true;
    }
    default:
        return false;
    }
}

QJsonValue ValueCodec::encodeNumbers(std::vector<double> const& values) {
    return encodeNumbers(values.data(), values.size());
}

QJsonValue ValueCodec::encodeNumbers(double const* values, std::size_t count) {
    if (count <= format::largeArrayThreshold) {
        QJsonArray array;
        for (std::size_t i = 0; i < count; ++i) {
            array.append(encodeNumber(values[i]));
        }
        return array;
    }
    QByteArray bytes(static_cast<int>(count * sizeof(double)), Qt::Uninitialized);
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
    std::memcpy(bytes.data(), values, count * sizeof(double));
#else
    qToLittleEndian<double>(values, static_cast<qsizetype>(count), bytes.data());
#endif
    return encodedArray(format::float64Encoding, count, bytes);
}

QJsonValue ValueCodec::encodePoints(std::vector<model::Point3<double>> const& points) {
    std::vector<double> coordinates;
    coordinates.reserve(points.size() * 3);
    for (model::Point3<double> const& point : points) {
        coordinates.insert(coordinates.end(), {point.x, point.y, point.z});
    }
    return encodeNumbers(coordinates);
}

QJsonValue ValueCodec::encodeFlags(std::vector<bool> const& flags) {
    if (flags.size() <= format::largeArrayThreshold) {
        QJsonArray array;
        for (bool flag : flags) {
            array.append(flag);
        }
        return array;
    }
    QByteArray bytes(static_cast<int>(flags.size()), Qt::Uninitialized);
    for (std::size_t i = 0; i < flags.size(); ++i) {
        bytes[static_cast<int>(i)] = flags[i] ? '\1' : '\0';
    }
    return encodedArray(format::uint8Encoding, flags.size(), bytes);
}

qint64 ValueCodec::base64DecodedSize(QString const& text) {
    qint64 const length = text.size();
    if (length % 4 != 0) {
        return -1;
    }
    qint64 padding = 0;
    if (length > 0 && text.at(length - 1) == QLatin1Char('=')) {
        padding = text.at(length - 2) == QLatin1Char('=') ? 2 : 1;
    }
    return length / 4 * 3 - padding;
}

qint64 ValueCodec::decodeBase64(QString const& text, unsigned char* out, ReadMonitor& monitor) {
    qint64 const length = text.size();
    if (length == 0) {
        return -1;
    }
    QChar const* const chars = text.constData();
    qint64 const full = length - 4; // the last group may carry padding
    qint64 position = 0;
    while (position < full) {
        qint64 const stepStart = position;
        qint64 const stepEnd = std::min(full, position + base64Step);
        for (; position < stepEnd; position += 4) {
            int const a = base64Value(chars[position]);
            int const b = base64Value(chars[position + 1]);
            int const c = base64Value(chars[position + 2]);
            int const d = base64Value(chars[position + 3]);
            if ((a | b | c | d) < 0) {
                for (qint64 bad = position;; ++bad) {
                    if (base64Value(chars[bad]) < 0) {
                        return bad;
                    }
                }
            }
            quint32 const group = (static_cast<quint32>(a) << 18) |
                                  (static_cast<quint32>(b) << 12) |
                                  (static_cast<quint32>(c) << 6) | static_cast<quint32>(d);
            out[0] = static_cast<unsigned char>(group >> 16);
            out[1] = static_cast<unsigned char>(group >> 8);
            out[2] = static_cast<unsigned char>(group);
            out += 3;
        }
        monitor.advance(static_cast<double>(stepEnd - stepStart));
    }

    // The last group: two or three characters and padding, or four characters.
    int values[4];
    int kept = 4;
    for (int i = 0; i < 4; ++i) {
        QChar const c = chars[full + i];
        if (c == QLatin1Char('=') && i >= 2) {
            if (kept == 4) {
                kept = i;
            }
            continue;
        }
        values[i] = base64Value(c);
        if (values[i] < 0 || kept != 4) {
            return full + i;
        }
    }
    quint32 group = 0;
    for (int i = 0; i < kept; ++i) {
        group |= static_cast<quint32>(values[i]) << (18 - 6 * i);
    }
    for (int i = 0; i < kept - 1; ++i) {
        out[i] = static_cast<unsigned char>(group >> (16 - 8 * i));
    }
    return -1;
}

QString ValueCodec::typeName(QJsonValue const& json) {
    switch (json.type()) {
    case QJsonValue::Null:
        return QStringLiteral("null");
    case QJsonValue::Bool:
        return QStringLiteral("true or false");
    case QJsonValue::Double:
        return QStringLiteral("a number");
    case QJsonValue::String:
        return QStringLiteral("a string");
    case QJsonValue::Array:
        return QStringLiteral("an array");
    case QJsonValue::Object:
        return QStringLiteral("an object");
    case QJsonValue::Undefined:
        break;
    }
    return QStringLiteral("nothing");
}

} // namespace native
} // namespace quarro
