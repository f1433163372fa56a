#ifndef QUARRO_APP_GRIDLAYERITEM_H
#define QUARRO_APP_GRIDLAYERITEM_H

#include "ColourMap.h"

#include <QGraphicsItem>
#include <QPolygonF>
#include <QRectF>
#include <QRgb>

#include <vector>

namespace quarro {
namespace model {
class CornerPointGrid;
}

namespace app {

// One layer of a corner-point grid on the map, each active cell's top face filled with the
// colour of its property value (viridis over the layer's value range). Cells without a value are
// left out. One item for the whole layer: painting cells of a colour together keeps a frame of a
// 100 x 100 layer to a few thousand fills.
class GridLayerItem : public QGraphicsItem {
public:
    // layer is clamped to the grid; an unknown property colours nothing.
    GridLayerItem(model::CornerPointGrid const& grid, QString const& property, int layer);
    ~GridLayerItem() override;

    QRectF boundingRect() const override;
    void paint(QPainter* painter, QStyleOptionGraphicsItem const* option, QWidget* widget) override;

    ColourLegend const& legend() const { return m_legend; }
    std::size_t cell_count() const { return m_cells.size(); }

private:
    Q_DISABLE_COPY(GridLayerItem)

    struct Cell {
        QPolygonF face;
        QRgb colour;
    };
    std::vector<Cell> m_cells;
    QRectF m_bounds;
    ColourLegend m_legend;
};

} // namespace app
} // namespace quarro

#endif // QUARRO_APP_GRIDLAYERITEM_H
