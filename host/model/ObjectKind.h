#ifndef QUARRO_MODEL_OBJECTKIND_H
#define QUARRO_MODEL_OBJECTKIND_H

#include "QuarroHostExport.h"

#include <QString>

namespace quarro {
namespace model {

// The kinds of geological object a document can hold, one per subclass of GeoObject.
enum class ObjectKind { Well, PointSet, PolylineSet, Surface, Raster, CornerPointGrid };

// The kind's name as the user sees it ("Well", "Point set", ...), translated.
QUARRO_HOST_EXPORT QString objectKindName(ObjectKind kind);

} // namespace model
} // namespace quarro

#endif // QUARRO_MODEL_OBJECTKIND_H
