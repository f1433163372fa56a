#include "PropertiesPanel.h"

#include "ObjectProperties.h"
#include "model/GeoObject.h"

#include <QHeaderView>
#include <QTreeWidget>

namespace quarro {
namespace app {

PropertiesPanel::PropertiesPanel(QWidget* parent)
    : QDockWidget(tr("Properties"), parent)
    , m_tree(new QTreeWidget(this)) {
    setObjectName(QStringLiteral("PropertiesPanel"));
    m_tree->setColumnCount(2);
    m_tree->setHeaderLabels({tr("Property"), tr("Value")});
    m_tree->setUniformRowHeights(true);
    m_tree->setWordWrap(false);
    m_tree->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    m_tree->header()->setStretchLastSection(true);
    setWidget(m_tree);
    show_object(nullptr);
}

PropertiesPanel::~PropertiesPanel() = default;

void PropertiesPanel::show_object(model::GeoObject const* object) {
    m_tree->clear();
    if (object == nullptr) {
        auto* hint = new QTreeWidgetItem(m_tree);
        hint->setText(0, tr("Select an object in the documents panel or on the map."));
        hint->setFirstColumnSpanned(true);
        hint->setDisabled(true);
        return;
    }
    QTreeWidgetItem* section = nullptr;
    for (ObjectProperties::Row const& row : ObjectProperties::describe(*object)) {
        if (section == nullptr || section->text(0) != row.section) {
            section = new QTreeWidgetItem(m_tree);
            section->setText(0, row.section);
            section->setFirstColumnSpanned(true);
            QFont font = section->font(0);
            font.setBold(true);
            section->setFont(0, font);
        }
        auto* item = new QTreeWidgetItem(section);
        item->setText(0, row.name);
        item->setText(1, row.value);
        QString const tip =
            row.detail.isEmpty() ? row.value : row.detail + QLatin1Char('\n') + row.value;
        item->setToolTip(0, tip);
        item->setToolTip(1, tip);
    }
    m_tree->expandAll();
}

} // namespace app
} // namespace quarro
