#ifndef QUARRO_READERS_GDAL_GDALFILECONTENT_H
#define QUARRO_READERS_GDAL_GDALFILECONTENT_H

#include "model/GeoObject.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

namespace quarro {
namespace readers {

// What the loaders make of one file: the objects for the document and the summary's lines. The
// reader adds the objects only when the whole file was read, so a failure or a cancel leaves the
// document as it was.
struct GdalFileContent {
    std::vector<std::unique_ptr<model::GeoObject>> objects;
    // One line per object read, naming what it holds and where it lies.
    QStringList summaries;
    // Faults recovered from and things left out.
    QStringList comments;
};

// How far a loader is through its file (0 to 1); answers false when the user cancelled.
using GdalProgress = std::function<bool(double share)>;

enum class GdalOutcome { Read, Failed, Cancelled };

} // namespace readers
} // namespace quarro

#endif // QUARRO_READERS_GDAL_GDALFILECONTENT_H
