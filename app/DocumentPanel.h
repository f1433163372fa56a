#ifndef QUARRO_APP_DOCUMENTPANEL_H
#define QUARRO_APP_DOCUMENTPANEL_H

#include "housekeeping/DocumentId.h"

#include <QDockWidget>

#include <set>

class QTreeWidget;
class QTreeWidgetItem;

namespace quarro {
namespace housekeeping {
class AbstractDocument;
}

namespace app {

// The dock that lists the open documents and, under each, its objects with their name, kind and
// size (samples, points, pixels or cells). The current document is shown in bold; clicking a
// document makes it current. Documents are listed expanded until the user collapses them. The list
// follows the document manager by itself, at once: a change is shown before the next event.
class DocumentPanel : public QDockWidget {
    Q_OBJECT
public:
    explicit DocumentPanel(QWidget* parent = nullptr);
    ~DocumentPanel() override;

    QTreeWidget* tree() const { return m_tree; }

    // A document's line carries the document's id value in its first column under this role;
    // object lines carry none.
    static constexpr int document_id_role = Qt::UserRole + 1;

    // Rebuilds the list from the document manager.
    void refresh();

private slots:
    void watch_document(quarro::housekeeping::DocumentId id);
    // Lists one document again after it changed.
    void update_document(quarro::housekeeping::DocumentId id);
    // Shows the current document in bold.
    void show_current();
    void item_activated(QTreeWidgetItem* item);
    void remember_expansion(QTreeWidgetItem* item);

private:
    Q_DISABLE_COPY(DocumentPanel)

    QTreeWidgetItem* document_item(housekeeping::DocumentId const& id) const;
    // The document's line (name, modified mark, object count) and its objects.
    void fill_document_item(QTreeWidgetItem& item, housekeeping::AbstractDocument const& document);

    QTreeWidget* m_tree;
    bool m_refreshing = false;
    // Documents the user collapsed, by id value.
    std::set<int> m_collapsed;
};

} // namespace app
} // namespace quarro

#endif // QUARRO_APP_DOCUMENTPANEL_H
