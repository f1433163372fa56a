#ifndef QUARRO_TESTS_NATIVETESTOBJECTS_H
#define QUARRO_TESTS_NATIVETESTOBJECTS_H

#include "DocumentWriter.h"

#include <QByteArray>
#include <QString>

#include <string>

namespace quarro {
namespace model {
class GeoObject;
}

namespace test {

// One object of every kind, each with the values that are hard to keep: NaN, infinities,
// negative zero, subnormals, arrays on both sides of the base64 threshold, Unicode text. In
// order: a well with curves, a well without curves or location, a point set with attributes, a
// polyline set on two layers, a surface with NODATA, a raster with an image and one without, a
// corner-point grid with inactive cells, properties and map axes, and a grid without geometry.
native::DocumentWriter::Objects sampleObjects();
std::string sampleJournal();

// Expects `actual` to hold exactly what `expected` holds, doubles compared bit for bit (any NaN
// equals any NaN) and images pixel for pixel.
void expectSameObject(model::GeoObject const& expected, model::GeoObject const& actual);

// Bytes of a file, empty when it cannot be read.
QByteArray fileBytes(QString const& path);
// Writes `bytes` to `path`, replacing it; fails the test when it cannot.
void writeFile(QString const& path, QByteArray const& bytes);

} // namespace test
} // namespace quarro

#endif // QUARRO_TESTS_NATIVETESTOBJECTS_H
