#ifndef QUARRO_READERS_DXF_DXFDRAWING_H
#define QUARRO_READERS_DXF_DXFDRAWING_H

#include "model/Point3.h"
#include "model/Polyline.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace quarro {
namespace readers {

// What a DXF parser took from the model space of one file, in world coordinates.
struct DxfDrawing {
    // Lines, polylines, circles, arcs, ellipses and splines (curves approximated), 3D faces and
    // mesh faces, with the contents of inserted blocks, each with its layer name.
    std::vector<model::Polyline> polylines;
    std::vector<model::Point3<double>> points;
    // One per point: the text of a TEXT or MTEXT entity, empty for a POINT.
    std::vector<QString> pointLabels;
    // The distinct layers of the points, in the order of their first point.
    QStringList pointLayers;
    // $ACADVER ("AC1009" is R12, "AC1027" is 2013); empty when the header does not say.
    QString version;
    // One text per fault the parser recovered from, most naming their line ("line 12: ...").
    QStringList comments;
    // Model-space entities that are not read, by type (HATCH, DIMENSION, ...).
    std::map<std::string, int, std::less<>> skipped;
    // Entities of paper space (layouts), which are not read.
    int paperSpaceEntities = 0;
};

} // namespace readers
} // namespace quarro

#endif // QUARRO_READERS_DXF_DXFDRAWING_H
