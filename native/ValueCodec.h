#ifndef QUARRO_NATIVE_VALUECODEC_H
#define QUARRO_NATIVE_VALUECODEC_H

#include "model/Point3.h"

#include <QJsonValue>
#include <QString>

#include <cstddef>
#include <vector>

namespace quarro {
namespace native {

class JsonBlobs;

// How the format writes numbers, numeric arrays and flag arrays in JSON (JsonCursor reads the
// arrays back).
//
// A number is a JSON number, except where JSON has none: NaN ("no value") is null, the
// infinities are the strings "Infinity" and "-Infinity", and negative zero is the string "-0".
// The reader also takes the string "NaN". Qt writes the shortest text that reads back as the same
// double, so every double survives the trip bit for bit, NaN payloads aside.
class ValueCodec {
public:
    static QJsonValue encodeNumber(double value);
    // False (and `value` untouched) when `json` is not a number of the format.
    static bool decodeNumber(QJsonValue const& json, double& value);

    // Up to format::largeArrayThreshold values as a JSON array of numbers, more as an object
    // {"encoding": "f64le-base64", "count": n, "data": base64 of n little-endian doubles} whose
    // text `blobs` writes later, from the values themselves: they must stay until then.
    static QJsonValue encodeNumbers(double const* values, std::size_t count, JsonBlobs& blobs);
    static QJsonValue encodeNumbers(std::vector<double> const& values, JsonBlobs& blobs);
    // The same for values that go away before the text is written: `blobs` keeps a copy.
    static QJsonValue encodeTemporaryNumbers(std::vector<double> const& values, JsonBlobs& blobs);
    // Points as numbers, x, y and z of each point in turn.
    static QJsonValue encodePoints(std::vector<model::Point3<double>> const& points,
                                   JsonBlobs& blobs);
    // Up to format::largeArrayThreshold flags as a JSON array of true and false, more as an
    // object {"encoding": "u8-base64", "count": n, "data": base64 of n bytes of 0 or 1}.
    static QJsonValue encodeFlags(std::vector<bool> const& flags, JsonBlobs& blobs);

    // The JSON type of a value as an error message names it ("a string", "null", ...).
    static QString typeName(QJsonValue const& json);

private:
    ValueCodec() = delete;
};

} // namespace native
} // namespace quarro

#endif // QUARRO_NATIVE_VALUECODEC_H
