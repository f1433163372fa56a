#include "DataViews.h"

#include "DocumentPanel.h"
#include "JournalPanel.h"
#include "LogView.h"
#include "MapView.h"
#include "PropertiesPanel.h"
#include "housekeeping/Document.h"
#include "housekeeping/DocumentManager.h"
#include "model/CornerPointGrid.h"
#include "model/GeoObject.h"
#include "model/Well.h"

#include <QAction>
#include <QComboBox>
#include <QDockWidget>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QMainWindow>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QStatusBar>
#include <QToolBar>
#include <QTreeWidget>

#include <algorithm>

namespace quarro {
namespace app {

namespace {

housekeeping::Document* document_of(housekeeping::DocumentId const& id) {
    return dynamic_cast<housekeeping::Document*>(
        housekeeping::DocumentManager::instance().document_from_id(id));
}

housekeeping::Document* current_document() {
    return document_of(housekeeping::DocumentManager::instance().current_document_id());
}

} // namespace

DataViews::DataViews(QMainWindow& window, DocumentPanel& panel, MapView& map)
    : QObject(&window)
    , m_window(window)
    , m_map(map)
    , m_log_view(new LogView)
    , m_log_dock(new QDockWidget(tr("Logs"), &window))
    , m_properties(new PropertiesPanel(&window))
    , m_journal(new JournalPanel(&window))
    , m_zoom_to_selection(new QAction(tr("Zoom to &Selection"), this))
    , m_map_bar(new QToolBar(tr("Map"), &window))
    , m_property_box(new QComboBox(m_map_bar))
    , m_layer_box(new QSpinBox(m_map_bar)) {
    m_log_dock->setObjectName(QStringLiteral("LogDock"));
    // More tracks than fit scroll sideways; depth scrolls inside the view.
    auto* const log_area = new QScrollArea(m_log_dock);
    log_area->setWidgetResizable(true);
    log_area->setFrameShape(QFrame::NoFrame);
    log_area->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    log_area->setWidget(m_log_view);
    // The depth scroll bar stays in sight beside the tracks, however far they scroll sideways.
    auto* const log_frame = new QWidget(m_log_dock);
    auto* const log_layout = new QHBoxLayout(log_frame);
    log_layout->setContentsMargins(0, 0, 0, 0);
    log_layout->setSpacing(0);
    log_layout->addWidget(log_area);
    log_layout->addWidget(m_log_view->depth_scroll_bar());
    m_log_dock->setWidget(log_frame);
    window.addDockWidget(Qt::RightDockWidgetArea, m_log_dock);
    window.addDockWidget(Qt::LeftDockWidgetArea, m_properties);
    window.addDockWidget(Qt::LeftDockWidgetArea, m_journal);
    window.tabifyDockWidget(m_properties, m_journal);
    m_properties->raise();

    m_zoom_to_selection->setShortcut(QKeySequence(tr("Ctrl+9")));
    m_zoom_to_selection->setStatusTip(tr("Show the selected object on the map"));
    m_zoom_to_selection->setEnabled(false);
    connect(m_zoom_to_selection, &QAction::triggered, this, &DataViews::zoom_to_selection);

    m_map_bar->setObjectName(QStringLiteral("MapToolBar"));
    m_map_bar->addWidget(new QLabel(tr(" Colour grids by "), m_map_bar));
    m_property_box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_map_bar->addWidget(m_property_box);
    m_map_bar->addWidget(new QLabel(tr(" layer "), m_map_bar));
    m_layer_box->setRange(1, 1);
    m_map_bar->addWidget(m_layer_box);
    window.addToolBar(m_map_bar);
    connect(m_property_box, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &DataViews::apply_map_choices);
    connect(m_layer_box, QOverload<int>::of(&QSpinBox::valueChanged), this,
            &DataViews::apply_map_choices);

    connect(panel.tree(), &QTreeWidget::itemClicked, this, &DataViews::panel_item_chosen);
    connect(panel.tree(), &QTreeWidget::currentItemChanged, this, &DataViews::panel_item_chosen);
    connect(&map, &MapView::object_clicked, this, &DataViews::map_object_clicked);
    housekeeping::DocumentManager& manager = housekeeping::DocumentManager::instance();
    connect(&manager, &housekeeping::DocumentManager::currentDocumentChanged, this,
            &DataViews::follow_document);
    follow_document(manager.current_document_id());
}

DataViews::~DataViews() = default;

void DataViews::select(boost::shared_ptr<model::GeoObject> const& object) {
    m_selected = object;
    m_properties->show_object(object.get());
    m_zoom_to_selection->setEnabled(object != nullptr);
    housekeeping::Document const* const document = current_document();
    int index = -1;
    if (object && document != nullptr) {
        auto const& objects = document->objects();
        auto const found = std::find(objects.begin(), objects.end(), object);
        index = found == objects.end() ? -1 : static_cast<int>(found - objects.begin());
    }
    m_map.set_selected_object(index);
    if (object && object->kind() == model::ObjectKind::Well) {
        auto well = boost::static_pointer_cast<model::Well const>(object);
        if (well != m_log_view->well()) {
            m_log_view->set_well(well);
        }
        m_log_dock->setWindowTitle(tr("Logs: %1").arg(object->name()));
        m_log_dock->raise();
    }
}

void DataViews::zoom_to_selection() {
    boost::shared_ptr<model::GeoObject> const object = m_selected.lock();
    if (object && !m_map.object_rect(m_map.selected_object())) {
        m_window.statusBar()->showMessage(tr("\"%1\" has no place on the map.").arg(object->name()),
                                          5000);
        return;
    }
    m_map.zoom_to_object(m_map.selected_object());
}

void DataViews::panel_item_chosen(QTreeWidgetItem* item) {
    // The panel rebuilds its list on every change, which leaves no current item: that is no
    // choice of the user's.
    if (item == nullptr || item->parent() == nullptr) {
        return;
    }
    housekeeping::DocumentId const id(
        item->parent()->data(0, DocumentPanel::document_id_role).toInt());
    housekeeping::Document* const document = document_of(id);
    int const position = item->parent()->indexOfChild(item);
    if (document == nullptr || position < 0) {
        return;
    }
    // The panel lists the document's objects in order, leaving out empty slots.
    int n = 0;
    for (housekeeping::Document::ObjectPtr const& object : document->objects()) {
        if (!object) {
            continue;
        }
        if (n++ == position) {
            housekeeping::DocumentManager& manager = housekeeping::DocumentManager::instance();
            if (manager.current_document_id() != id) {
                manager.current_document(id);
            }
            select(object);
            return;
        }
    }
}

void DataViews::map_object_clicked(int index) {
    housekeeping::Document const* const document = current_document();
    if (document == nullptr || index < 0 || index >= static_cast<int>(document->object_count())) {
        return;
    }
    select(document->objects()[static_cast<std::size_t>(index)]);
}

void DataViews::follow_document(housekeeping::DocumentId id) {
    disconnect(m_changed_connection);
    if (housekeeping::Document* const document = document_of(id)) {
        // Queued: the map redraws on the same signal and must have its items before they are
        // marked.
        m_changed_connection = connect(
            document, &housekeeping::AbstractDocument::changed, this,
            [this] {
                update_map_choices();
                check_selection();
            },
            Qt::QueuedConnection);
    }
    update_map_choices();
    check_selection();
}

void DataViews::update_map_choices() {
    QStringList properties;
    int layers = 1;
    if (housekeeping::Document const* const document = current_document()) {
        for (housekeeping::Document::ObjectPtr const& object : document->objects()) {
            if (!object || object->kind() != model::ObjectKind::CornerPointGrid) {
                continue;
            }
            auto const& grid = static_cast<model::CornerPointGrid const&>(*object);
            layers = std::max(layers, grid.nk());
            for (QString const& name : grid.propertyNames()) {
                if (!properties.contains(name)) {
                    properties << name;
                }
            }
        }
    }
    QString const chosen = m_property_box->currentData().toString();
    // Once properties were offered, the user's choice stands, "(outline)" included.
    bool const had_choice = m_property_box->count() > 1;
    m_updating_choices = true;
    m_property_box->clear();
    m_property_box->addItem(tr("(outline)"), QString());
    for (QString const& name : properties) {
        m_property_box->addItem(name, name);
    }
    int const keep = m_property_box->findData(chosen);
    int const first = properties.isEmpty() ? 0 : 1;
    m_property_box->setCurrentIndex(keep > 0 || (keep == 0 && had_choice) ? keep : first);
    m_layer_box->setRange(1, layers);
    m_map_bar->setEnabled(!properties.isEmpty());
    m_updating_choices = false;
    apply_map_choices();
}

void DataViews::apply_map_choices() {
    if (m_updating_choices) {
        return;
    }
    QString const property = m_property_box->currentData().toString();
    int const layer = m_layer_box->value() - 1;
    if (property != m_map.grid_property() || layer != m_map.grid_layer()) {
        m_map.set_grid_colouring(property, layer);
    }
}

void DataViews::check_selection() {
    housekeeping::Document const* const document = current_document();
    boost::shared_ptr<model::GeoObject> const object = m_selected.lock();
    bool const present = object && document != nullptr &&
                         std::find(document->objects().begin(), document->objects().end(),
                                   object) != document->objects().end();
    select(present ? object : nullptr);
    // The log view keeps the last well while it is in the current document.
    boost::shared_ptr<model::Well const> const shown = m_log_view->well();
    bool const well_present =
        shown && document != nullptr &&
        std::any_of(document->objects().begin(), document->objects().end(),
                    [&shown](housekeeping::Document::ObjectPtr const& o) { return o == shown; });
    if (!well_present && shown) {
        m_log_view->set_well(nullptr);
        m_log_dock->setWindowTitle(tr("Logs"));
    }
}

} // namespace app
} // namespace quarro
