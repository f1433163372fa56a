#include "ValueCodec.h"

#include "JsonBlobs.h"
#include "NativeFormat.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonObject>
#include <QLatin1String>
#include <QtEndian>

#include <cmath>
#include <limits>
#include <utility>

namespace quarro {
namespace native {

namespace {

QLatin1String const infinityText("Infinity");
QLatin1String const minusInfinityText("-Infinity");
QLatin1String const minusZeroText("-0");
QLatin1String const nanText("NaN");

// The object that stands for a large array; `placeholder` is what JsonBlobs gave for its bytes.
QJsonObject encodedArray(QLatin1String encoding, std::size_t count, QString const& placeholder) {
    QJsonObject array;
    array.insert(QStringLiteral("encoding"), encoding);
    array.insert(QStringLiteral("count"), static_cast<double>(count));
    array.insert(QStringLiteral("data"), placeholder);
    return array;
}

QJsonArray numberArray(double const* values, std::size_t count) {
    QJsonArray array;
    for (std::size_t i = 0; i < count; ++i) {
        array.append(ValueCodec::encodeNumber(values[i]));
    }
    return array;
}

// The values as little-endian bytes.
QByteArray littleEndianBytes(double const* values, std::size_t count) {
    QByteArray bytes(static_cast<int>(count * sizeof(double)), Qt::Uninitialized);
    qToLittleEndian<double>(values, static_cast<qsizetype>(count), bytes.data());
    return bytes;
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

QJsonValue ValueCodec::encodeNumbers(std::vector<double> const& values, JsonBlobs& blobs) {
    return encodeNumbers(values.data(), values.size(), blobs);
}

QJsonValue ValueCodec::encodeNumbers(double const* values, std::size_t count, JsonBlobs& blobs) {
    if (count <= format::largeArrayThreshold) {
        return numberArray(values, count);
    }
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
    // The doubles in memory are the stored bytes already.
    return encodedArray(format::float64Encoding, count,
                        blobs.add(reinterpret_cast<unsigned char const*>(values),
                                  static_cast<qint64>(count * sizeof(double))));
#else
    return encodedArray(format::float64Encoding, count,
                        blobs.add(littleEndianBytes(values, count)));
#endif
}

QJsonValue ValueCodec::encodeTemporaryNumbers(std::vector<double> const& values, JsonBlobs& blobs) {
    if (values.size() <= format::largeArrayThreshold) {
        return numberArray(values.data(), values.size());
    }
    return encodedArray(format::float64Encoding, values.size(),
                        blobs.add(littleEndianBytes(values.data(), values.size())));
}

QJsonValue ValueCodec::encodePoints(std::vector<model::Point3<double>> const& points,
                                    JsonBlobs& blobs) {
    std::vector<double> coordinates;
    coordinates.reserve(points.size() * 3);
    for (model::Point3<double> const& point : points) {
        coordinates.insert(coordinates.end(), {point.x, point.y, point.z});
    }
    return encodeTemporaryNumbers(coordinates, blobs);
}

QJsonValue ValueCodec::encodeFlags(std::vector<bool> const& flags, JsonBlobs& blobs) {
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
    return encodedArray(format::uint8Encoding, flags.size(), blobs.add(std::move(bytes)));
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
