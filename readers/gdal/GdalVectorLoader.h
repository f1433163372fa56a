#ifndef QUARRO_READERS_GDAL_GDALVECTORLOADER_H
#define QUARRO_READERS_GDAL_GDALVECTORLOADER_H

#include "GdalFileContent.h"

#include <QString>
#include <QtGlobal>

#include <ogr_api.h>

namespace quarro {
namespace readers {

class GdalDataset;
class GdalErrorScope;

// Reads the vector layers of a dataset GDAL opened. Each layer gives a polyline set of its lines
// and of its polygons' rings (closed), and a point set of its points; curves are followed by
// short straight pieces. Point sets keep the layer's numeric attributes (a value per point, "no
// value" where a feature has none); text and date attributes, and the attributes of lines, have
// no place in the model and are named in the summary as left out. A polyline's layer is the
// feature's "Layer" attribute where the format has one (DXF, DGN), else the layer's name.
class GdalVectorLoader {
public:
    // `progress` hears the share of the features read; answering false stops the read.
    GdalVectorLoader(GdalProgress progress, GdalErrorScope const& errors);

    // Reads every layer of `dataset` (the file `path`, shown as `name`) into `content`; on
    // failure `failure` says why.
    GdalOutcome load(GdalDataset const& dataset, QString const& name, QString const& path,
                     GdalFileContent& content, QString& failure);

private:
    Q_DISABLE_COPY(GdalVectorLoader)

    struct Layer;

    GdalOutcome readLayer(OGRLayerH handle, Layer& layer, double first, double span);
    void addGeometry(OGRGeometryH geometry, Layer& layer, int depth) const;
    static void addRing(OGRGeometryH ring, bool closed, Layer& layer);
    void publish(Layer& layer, QString const& path, QString const& format,
                 GdalFileContent& content) const;

    GdalProgress m_progress;
    GdalErrorScope const& m_errors;
};

} // namespace readers
} // namespace quarro

#endif // QUARRO_READERS_GDAL_GDALVECTORLOADER_H
