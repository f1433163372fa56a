#include "GridLayerItem.h"

#include "model/CornerPointGrid.h"
#include "model/ValueRange.h"

#include <QCoreApplication>
#include <QPainter>
#include <QStyleOptionGraphicsItem>

#include <algorithm>
#include <cmath>

namespace quarro {
namespace app {

GridLayerItem::GridLayerItem(model::CornerPointGrid const& grid, QString const& property,
                             int layer) {
    std::vector<double> const* values = grid.property(property);
    if (grid.nk() <= 0) {
        return;
    }
    int const k = std::clamp(layer, 0, grid.nk() - 1);
    m_legend.title =
        QCoreApplication::translate("GridLayerItem", "%1, layer %2").arg(property).arg(k + 1);
    if (values == nullptr) {
        return;
    }
    model::ValueRange range;
    for (int j = 0; j < grid.nj(); ++j) {
        for (int i = 0; i < grid.ni(); ++i) {
            std::size_t const cell = grid.cellIndex(i, j, k);
            if (grid.activeFlags()[cell]) {
                range.extend((*values)[cell]);
            }
        }
    }
    if (range.isEmpty()) {
        return;
    }
    m_legend.low = range.min();
    m_legend.high = range.max();
    m_legend.valid = true;
    double const span = range.max() - range.min();
    for (int j = 0; j < grid.nj(); ++j) {
        for (int i = 0; i < grid.ni(); ++i) {
            std::size_t const cell = grid.cellIndex(i, j, k);
            double const value = (*values)[cell];
            if (!grid.activeFlags()[cell] || !std::isfinite(value)) {
                continue;
            }
            model::CornerPointGrid::CellCorners const c = grid.cellCorners(i, j, k);
            QPolygonF face;
            for (int const corner : {0, 1, 3, 2}) {
                model::Point3<double> const p =
                    grid.toMapCoordinates(c[static_cast<std::size_t>(corner)]);
                if (!std::isfinite(p.x) || !std::isfinite(p.y)) {
                    face.clear();
                    break;
                }
                face << QPointF(p.x, p.y);
            }
            if (face.isEmpty()) {
                continue;
            }
            m_bounds |= face.boundingRect();
            m_cells.push_back(
                {face, colour_map::viridis(span > 0.0 ? (value - range.min()) / span : 0.5)});
        }
    }
}

GridLayerItem::~GridLayerItem() = default;

QRectF GridLayerItem::boundingRect() const {
    return m_bounds;
}

void GridLayerItem::paint(QPainter* painter, QStyleOptionGraphicsItem const* option, QWidget*) {
    QRectF const exposed = option != nullptr ? option->exposedRect : m_bounds;
    painter->setPen(Qt::NoPen);
    // Neighbouring faces share their edges; antialiasing would leave a seam between them.
    painter->setRenderHint(QPainter::Antialiasing, false);
    QRgb current = 0;
    bool first = true;
    for (Cell const& cell : m_cells) {
        if (!exposed.intersects(cell.face.boundingRect())) {
            continue;
        }
        if (first || cell.colour != current) {
            painter->setBrush(QColor::fromRgb(cell.colour));
            current = cell.colour;
            first = false;
        }
        painter->drawPolygon(cell.face);
    }
}

} // namespace app
} // namespace quarro
