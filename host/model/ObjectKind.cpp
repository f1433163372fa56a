#include "model/ObjectKind.h"

#include <QCoreApplication>

namespace quarro {
namespace model {

QString objectKindName(ObjectKind kind) {
    char const* context = "quarro::model::ObjectKind";
    switch (kind) {
    case ObjectKind::Well:
        return QCoreApplication::translate(context, "Well");
    case ObjectKind::PointSet:
        return QCoreApplication::translate(context, "Point set");
    case ObjectKind::PolylineSet:
        return QCoreApplication::translate(context, "Polyline set");
    case ObjectKind::Surface:
        return QCoreApplication::translate(context, "Surface");
    case ObjectKind::Raster:
        return QCoreApplication::translate(context, "Raster");
    case ObjectKind::CornerPointGrid:
        return QCoreApplication::translate(context, "Corner-point grid");
    }
    // Only reachable with a value cast from outside the enumeration.
    return QCoreApplication::translate(context, "Unknown");
}

} // namespace model
} // namespace quarro
