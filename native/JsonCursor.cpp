#include "JsonCursor.h"

#include "Base64.h"
#include "FormatError.h"
#include "HugePages.h"
#include "JsonSkeleton.h"
#include "NativeFormat.h"
#include "ValueCodec.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QtEndian>

#include <cmath>
#include <utility>

namespace quarro {
namespace native {

JsonCursor::JsonCursor(QJsonValue value, QString path, JsonSkeleton const& skeleton,
                       ReadMonitor& monitor)
    : m_value(std::move(value))
    , m_path(std::move(path))
    , m_skeleton(&skeleton)
    , m_monitor(&monitor) {}

JsonCursor JsonCursor::child(QString const& path, QJsonValue value) const {
    return JsonCursor(std::move(value), path, *m_skeleton, *m_monitor);
}

void JsonCursor::fail(QString const& problem) const {
    throw FormatError(m_path, problem);
}

void JsonCursor::expected(QString const& what) const {
    fail(QStringLiteral("expected %1, found %2").arg(what, ValueCodec::typeName(m_value)));
}

bool JsonCursor::has(QLatin1String key) const {
    if (!m_value.isObject()) {
        expected(QStringLiteral("an object"));
    }
    return m_value.toObject().contains(key);
}

JsonCursor JsonCursor::field(QLatin1String key) const {
    if (!has(key)) {
        fail(QStringLiteral("the field \"%1\" is missing").arg(key));
    }
    QString const path = m_path.isEmpty() ? QString(key) : m_path + QLatin1Char('.') + key;
    return child(path, m_value.toObject().value(key));
}

int JsonCursor::size() const {
    if (!m_value.isArray()) {
        expected(QStringLiteral("an array"));
    }
    return m_value.toArray().size();
}

JsonCursor JsonCursor::at(int index) const {
    return child(m_path + QStringLiteral("[%1]").arg(index), m_value.toArray().at(index));
}

QString JsonCursor::string() const {
    if (!m_value.isString()) {
        expected(QStringLiteral("a string"));
    }
    QString const value = m_value.toString();
    char const* data = nullptr;
    qint64 length = 0;
    if (m_skeleton->resolve(value, data, length)) {
        return QString::fromLatin1(data, static_cast<int>(length));
    }
    return value;
}

QByteArray JsonCursor::latin1(QByteArray& storage) const {
    if (!m_value.isString()) {
        expected(QStringLiteral("a string"));
    }
    QString const value = m_value.toString();
    char const* data = nullptr;
    qint64 length = 0;
    if (m_skeleton->resolve(value, data, length)) {
        return QByteArray::fromRawData(data, static_cast<int>(length));
    }
    // Characters beyond Latin-1 become '?', which is no base64 character: the error names them
    // at their place.
    storage = value.toLatin1();
    return storage;
}

bool JsonCursor::boolean() const {
    if (!m_value.isBool()) {
        expected(QStringLiteral("true or false"));
    }
    return m_value.toBool();
}

double JsonCursor::number() const {
    double value = 0.0;
    if (!ValueCodec::decodeNumber(m_value, value)) {
        expected(QStringLiteral("a number"));
    }
    return value;
}

int JsonCursor::integer(int min, int max) const {
    if (!m_value.isDouble()) {
        expected(QStringLiteral("a whole number"));
    }
    double const value = m_value.toDouble();
    if (value != std::floor(value) || value < min || value > max) {
        fail(QStringLiteral("expected a whole number from %1 to %2, found %3")
                 .arg(min)
                 .arg(max)
                 .arg(value, 0, 'g', 17));
    }
    return static_cast<int>(value);
}

QByteArray JsonCursor::encodedText(QLatin1String encoding, int elementSize,
                                   std::size_t& count) const {
    JsonCursor const encodingField = field(QLatin1String("encoding"));
    QString const name = encodingField.string();
    if (name != encoding) {
        encodingField.fail(QStringLiteral("expected \"%1\", found \"%2\"").arg(encoding, name));
    }
    JsonCursor const countField = field(QLatin1String("count"));
    if (!countField.value().isDouble()) {
        countField.expected(QStringLiteral("a whole number"));
    }
    double const declared = countField.value().toDouble();
    if (declared < 0 || declared != std::floor(declared) || declared > 9.0e15) {
        countField.fail(QStringLiteral("%1 is not a number of values").arg(declared, 0, 'g', 17));
    }
    JsonCursor const data = field(QLatin1String("data"));
    QByteArray storage;
    QByteArray const text = data.latin1(storage);
    qint64 const size = Base64::decodedSize(text.constData(), text.size());
    if (size < 0) {
        data.fail(QStringLiteral("base64 text of %1 characters is cut short or too long")
                      .arg(text.size()));
    }
    count = static_cast<std::size_t>(declared);
    if (static_cast<double>(size) != declared * elementSize) {
        data.fail(QStringLiteral("holds %1 bytes, but \"count\" says %2 values of %3 bytes")
                      .arg(size)
                      .arg(count)
                      .arg(elementSize));
    }
    // A copy of the text shares `storage`, or the file's bytes, which outlive the decoding.
    return text;
}

void JsonCursor::decodeText(QByteArray const& text, unsigned char* out) const {
    if (text.isEmpty()) {
        return;
    }
    qint64 const bad = Base64::decode(text.constData(), text.size(), out, *m_monitor);
    if (bad >= 0) {
        fail(QStringLiteral("character %1 is not base64 (or padding out of place)").arg(bad));
    }
}

std::vector<double> JsonCursor::numbers() const {
    if (m_value.isObject()) {
        std::size_t count = 0;
        QByteArray const text = encodedText(format::float64Encoding, sizeof(double), count);
        // Reserved first, so that the pages can be huge before the first value touches them.
        std::vector<double> values;
        values.reserve(count);
        readers::HugePages::advise(values.data(), count * sizeof(double));
        values.resize(count);
        field(QLatin1String("data"))
            .decodeText(text, reinterpret_cast<unsigned char*>(values.data()));
#if Q_BYTE_ORDER != Q_LITTLE_ENDIAN
        for (double& value : values) {
            value = qFromLittleEndian(value);
        }
#endif
        return values;
    }
    int const count = size();
    QJsonArray const array = m_value.toArray();
    std::vector<double> values(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        if (!ValueCodec::decodeNumber(array.at(i), values[static_cast<std::size_t>(i)])) {
            at(i).expected(QStringLiteral("a number"));
        }
    }
    return values;
}

std::vector<model::Point3<double>> JsonCursor::points() const {
    std::vector<double> const coordinates = numbers();
    if (coordinates.size() % 3 != 0) {
        fail(QStringLiteral("%1 numbers are no list of x, y, z triples").arg(coordinates.size()));
    }
    std::vector<model::Point3<double>> points;
    points.reserve(coordinates.size() / 3);
    for (std::size_t i = 0; i < coordinates.size(); i += 3) {
        points.emplace_back(coordinates[i], coordinates[i + 1], coordinates[i + 2]);
    }
    return points;
}

std::vector<bool> JsonCursor::flags() const {
    if (m_value.isObject()) {
        std::size_t count = 0;
        QByteArray const text = encodedText(format::uint8Encoding, 1, count);
        std::vector<unsigned char> bytes(count);
        JsonCursor const data = field(QLatin1String("data"));
        data.decodeText(text, bytes.data());
        std::vector<bool> flags(count);
        for (std::size_t i = 0; i < count; ++i) {
            if (bytes[i] > 1) {
                data.fail(QStringLiteral("flag %1 is %2, not 0 or 1")
                              .arg(i)
                              .arg(static_cast<int>(bytes[i])));
            }
            flags[i] = bytes[i] != 0;
        }
        return flags;
    }
    int const count = size();
    QJsonArray const array = m_value.toArray();
    std::vector<bool> flags(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        if (!array.at(i).isBool()) {
            at(i).expected(QStringLiteral("true or false"));
        }
        flags[static_cast<std::size_t>(i)] = array.at(i).toBool();
    }
    return flags;
}

QByteArray JsonCursor::base64Bytes() const {
    QByteArray storage;
    QByteArray const text = latin1(storage);
    qint64 const size = Base64::decodedSize(text.constData(), text.size());
    if (size < 0) {
        fail(QStringLiteral("base64 text of %1 characters is cut short or too long")
                 .arg(text.size()));
    }
    QByteArray bytes(static_cast<int>(size), Qt::Uninitialized);
    decodeText(text, reinterpret_cast<unsigned char*>(bytes.data()));
    return bytes;
}

} // namespace native
} // namespace quarro
