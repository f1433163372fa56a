#ifndef QUARRO_APP_DOCUMENTPANEL_H
#define QUARRO_APP_DOCUMENTPANEL_H

#include "housekeeping/DocumentId.h"

#include <QDockWidget>

#include <set>

class QTreeWidget;
class QTreeWidgetItem;

namespace quarro {
namespace app {

// The dock that lists the open documents and, under each, its objects with their name, kind and
// size (samples, points, pixels or cells). The current document is shown in bold; clicking a
// document makes it current. Documents are listed expanded until the user collapses them. The list
// follows the document manager by itself.
class DocumentPanel : public QDockWidget {
    Q_OBJECT
public:
    explicit DocumentPanel(QWidget* parent = nullptr);
    ~DocumentPanel() override;

    QTreeWidget* tree() const { return m_tree; }

    // Rebuilds the list from the document manager.
    void refresh();

private slots:
    void watch_document(quarro::housekeeping::DocumentId id);
    void item_activated(QTreeWidgetItem* item);
    void remember_expansion(QTreeWidgetItem* item);

private:
    Q_DISABLE_COPY(DocumentPanel)

    // Many changes in a row (a load adds objects one by one) refresh the list once.
    void schedule_refresh();

    QTreeWidget* m_tree;
    bool m_refresh_pending = false;
    bool m_refreshing = false;
    // Documents the user collapsed, by id value.
    std::set<int> m_collapsed;
};

} // namespace app
} // namespace quarro

#endif // QUARRO_APP_DOCUMENTPANEL_H
