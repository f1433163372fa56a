#ifndef QUARRO_NATIVE_JSONCURSOR_H
#define QUARRO_NATIVE_JSONCURSOR_H

#include "model/Point3.h"

#include <QByteArray>
#include <QJsonValue>
#include <QLatin1String>
#include <QString>

#include <cstddef>
#include <vector>

namespace quarro {
namespace native {

class JsonSkeleton;
class ReadMonitor;

// Typed read access to one value of a native document that knows where the value stands (its
// JSON path, "curves[1].samples"). Every accessor checks what it reads and throws FormatError
// naming the path and what was found instead, so that decoding code reads like the format's
// description and a damaged file says where it broke.
class JsonCursor {
public:
    // `skeleton` holds the long strings Qt did not parse; `monitor` reports the decoding of large
    // arrays. Both must outlive the cursor.
    JsonCursor(QJsonValue value, QString path, JsonSkeleton const& skeleton, ReadMonitor& monitor);

    QString const& path() const { return m_path; }
    QJsonValue const& value() const { return m_value; }
    bool isNull() const { return m_value.isNull(); }

    // True when the value is an object with that key. Throws unless the value is an object.
    bool has(QLatin1String key) const;
    // The object's field `key`. Throws when the value is not an object or has no such field.
    JsonCursor field(QLatin1String key) const;

    // The number of elements of an array; throws for any other value.
    int size() const;
    // Element `index` of an array, 0 <= index < size().
    JsonCursor at(int index) const;

    QString string() const;
    bool boolean() const;
    // A number of the format (null for NaN and the special strings included).
    double number() const;
    // A whole number within [min, max].
    int integer(int min, int max) const;

    // A numeric array, written either way (JSON array or base64 of doubles).
    std::vector<double> numbers() const;
    // A numeric array of x, y, z triples.
    std::vector<model::Point3<double>> points() const;
    // A flag array, written either way (JSON array or base64 of bytes).
    std::vector<bool> flags() const;
    // Binary data written as base64 text.
    QByteArray base64Bytes() const;

    // Throws FormatError at this value's path.
    [[noreturn]] void fail(QString const& problem) const;

private:
    JsonCursor child(QString const& path, QJsonValue value) const;
    [[noreturn]] void expected(QString const& what) const;
    // The text of a string value as Latin-1 bytes: those of the file for a long string the
    // skeleton took out, else a conversion kept in `storage`.
    QByteArray latin1(QByteArray& storage) const;
    // The base64 text of an {"encoding", "count", "data"} object whose elements take
    // `elementSize` bytes each, checked against the encoding's name and the count, which goes
    // to `count`.
    QByteArray encodedText(QLatin1String encoding, int elementSize, std::size_t& count) const;
    // Decodes base64 `text` (checked by its size) into `out`; throws at a bad character.
    void decodeText(QByteArray const& text, unsigned char* out) const;

    QJsonValue m_value;
    QString m_path;
    JsonSkeleton const* m_skeleton;
    ReadMonitor* m_monitor;
};

} // namespace native
} // namespace quarro

#endif // QUARRO_NATIVE_JSONCURSOR_H
