#ifndef QUARRO_APP_DATAVIEWS_H
#define QUARRO_APP_DATAVIEWS_H

#include "housekeeping/DocumentId.h"

#include <QMetaObject>
#include <QObject>
#include <boost/shared_ptr.hpp>
#include <boost/weak_ptr.hpp>

class QAction;
class QComboBox;
class QDockWidget;
class QMainWindow;
class QSpinBox;
class QToolBar;
class QTreeWidgetItem;

namespace quarro {
namespace model {
class GeoObject;
}

namespace app {

class DocumentPanel;
class JournalPanel;
class LogView;
class MapView;
class PropertiesPanel;

// The views of what a document holds, beside the map: the log view of the selected well (a dock
// on the right), the properties of the selected object and the document's journal (docks on the
// left). It keeps the selection: an object picked in the documents panel or clicked on the map,
// dropped when it leaves the current document. It also offers Zoom to Selection and the map tool
// bar, which picks the grid property and layer the map colours.
class DataViews : public QObject {
    Q_OBJECT
public:
    DataViews(QMainWindow& window, DocumentPanel& panel, MapView& map);
    ~DataViews() override;

    LogView* log_view() const { return m_log_view; }
    QDockWidget* log_dock() const { return m_log_dock; }
    PropertiesPanel* properties_panel() const { return m_properties; }
    JournalPanel* journal_panel() const { return m_journal; }
    QAction* zoom_to_selection_action() const { return m_zoom_to_selection; }
    QToolBar* map_tool_bar() const { return m_map_bar; }
    QComboBox* grid_property_box() const { return m_property_box; }
    QSpinBox* grid_layer_box() const { return m_layer_box; }

    boost::shared_ptr<model::GeoObject> selected() const { return m_selected.lock(); }
    // Selects an object of the current document (null clears the selection): the properties
    // show it, the map marks it and, for a well, the log view shows its curves.
    void select(boost::shared_ptr<model::GeoObject> const& object);
    // Frames the selected object on the map.
    void zoom_to_selection();

private slots:
    void panel_item_chosen(QTreeWidgetItem* item);
    void map_object_clicked(int index);
    void follow_document(quarro::housekeeping::DocumentId id);
    void check_selection();
    // Offers the cell properties of the current document's grids; keeps the choice when it is
    // still there, else takes the first property.
    void update_map_choices();
    void apply_map_choices();

private:
    Q_DISABLE_COPY(DataViews)

    QMainWindow& m_window;
    MapView& m_map;
    LogView* m_log_view;
    QDockWidget* m_log_dock;
    PropertiesPanel* m_properties;
    JournalPanel* m_journal;
    QAction* m_zoom_to_selection;
    QToolBar* m_map_bar;
    QComboBox* m_property_box;
    QSpinBox* m_layer_box;
    bool m_updating_choices = false;
    boost::weak_ptr<model::GeoObject> m_selected;
    QMetaObject::Connection m_changed_connection;
};

} // namespace app
} // namespace quarro

#endif // QUARRO_APP_DATAVIEWS_H
