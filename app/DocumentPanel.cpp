#include "DocumentPanel.h"

#include "ObjectProperties.h"

#include "housekeeping/AbstractDocument.h"
#include "housekeeping/Document.h"
#include "housekeeping/DocumentManager.h"
#include "model/GeoObject.h"

#include <QFont>
#include <QHeaderView>
#include <QList>
#include <QLocale>
#include <QTreeWidget>
#include <QVariant>

namespace quarro {
namespace app {

namespace {

enum Column { NameColumn = 0, KindColumn = 1, SizeColumn = 2 };

QTreeWidgetItem* object_item(model::GeoObject const& object) {
    auto* item = new QTreeWidgetItem;
    item->setText(NameColumn, object.name());
    item->setText(KindColumn, object.kindName());
    item->setText(SizeColumn, ObjectProperties::size_text(object));
    item->setTextAlignment(SizeColumn, Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

} // namespace

DocumentPanel::DocumentPanel(QWidget* parent)
    : QDockWidget(tr("Documents"), parent)
    , m_tree(new QTreeWidget(this)) {
    setObjectName(QStringLiteral("DocumentPanel"));
    m_tree->setColumnCount(3);
    m_tree->setHeaderLabels({tr("Name"), tr("Kind"), tr("Size")});
    m_tree->setRootIsDecorated(true);
    m_tree->setUniformRowHeights(true);
    m_tree->header()->setStretchLastSection(false);
    m_tree->header()->setSectionResizeMode(NameColumn, QHeaderView::Stretch);
    m_tree->header()->setSectionResizeMode(KindColumn, QHeaderView::ResizeToContents);
    m_tree->header()->setSectionResizeMode(SizeColumn, QHeaderView::ResizeToContents);
    setWidget(m_tree);

    housekeeping::DocumentManager& manager = housekeeping::DocumentManager::instance();
    connect(&manager, &housekeeping::DocumentManager::documentCreated, this,
            &DocumentPanel::watch_document);
    connect(&manager, &housekeeping::DocumentManager::documentDestroyed, this,
            &DocumentPanel::refresh);
    connect(&manager, &housekeeping::DocumentManager::currentDocumentChanged, this,
            &DocumentPanel::show_current);
    for (housekeeping::DocumentId const& id : manager.current_documents()) {
        watch_document(id);
    }
    connect(m_tree, &QTreeWidget::itemClicked, this, &DocumentPanel::item_activated);
    connect(m_tree, &QTreeWidget::itemActivated, this, &DocumentPanel::item_activated);
    connect(m_tree, &QTreeWidget::itemExpanded, this, &DocumentPanel::remember_expansion);
    connect(m_tree, &QTreeWidget::itemCollapsed, this, &DocumentPanel::remember_expansion);
    refresh();
}

DocumentPanel::~DocumentPanel() = default;

void DocumentPanel::watch_document(housekeeping::DocumentId id) {
    housekeeping::AbstractDocument* const document =
        housekeeping::DocumentManager::instance().document_from_id(id);
    if (document != nullptr) {
        // Each change is shown at once, and only the document that changed is listed again.
        auto const update = [this, id] { update_document(id); };
        connect(document, &housekeeping::AbstractDocument::changed, this, update);
        connect(document, &housekeeping::AbstractDocument::datasourceChanged, this, update);
        connect(document, &housekeeping::AbstractDocument::modifiedChanged, this, update);
    }
    refresh();
}

QTreeWidgetItem* DocumentPanel::document_item(housekeeping::DocumentId const& id) const {
    for (int i = 0; i < m_tree->topLevelItemCount(); ++i) {
        QTreeWidgetItem* const item = m_tree->topLevelItem(i);
        if (item->data(NameColumn, DocumentPanel::document_id_role).toInt() == id.value()) {
            return item;
        }
    }
    return nullptr;
}

void DocumentPanel::update_document(housekeeping::DocumentId id) {
    QTreeWidgetItem* const item = document_item(id);
    housekeeping::AbstractDocument const* const document =
        housekeeping::DocumentManager::instance().document_from_id(id);
    if (item == nullptr || document == nullptr) {
        refresh();
        return;
    }
    m_refreshing = true;
    fill_document_item(*item, *document);
    m_refreshing = false;
}

void DocumentPanel::show_current() {
    housekeeping::DocumentId const current =
        housekeeping::DocumentManager::instance().current_document_id();
    for (int i = 0; i < m_tree->topLevelItemCount(); ++i) {
        QTreeWidgetItem* const item = m_tree->topLevelItem(i);
        QFont font = item->font(NameColumn);
        font.setBold(item->data(NameColumn, DocumentPanel::document_id_role).toInt() ==
                     current.value());
        item->setFont(NameColumn, font);
    }
}

void DocumentPanel::remember_expansion(QTreeWidgetItem* item) {
    if (m_refreshing || item == nullptr || item->parent() != nullptr) {
        return;
    }
    int const id = item->data(NameColumn, DocumentPanel::document_id_role).toInt();
    if (item->isExpanded()) {
        m_collapsed.erase(id);
    } else {
        m_collapsed.insert(id);
    }
}

void DocumentPanel::refresh() {
    m_refreshing = true;
    housekeeping::DocumentManager const& manager = housekeeping::DocumentManager::instance();
    m_tree->clear();
    for (housekeeping::DocumentId const& id : manager.current_documents()) {
        housekeeping::AbstractDocument const* const document = manager.document_from_id(id);
        if (document == nullptr) {
            continue;
        }
        auto* item = new QTreeWidgetItem(m_tree);
        item->setData(NameColumn, DocumentPanel::document_id_role, id.value());
        fill_document_item(*item, *document);
    }
    show_current();
    m_refreshing = false;
}

void DocumentPanel::fill_document_item(QTreeWidgetItem& item,
                                       housekeeping::AbstractDocument const& document) {
    item.setText(NameColumn, document.display_name() +
                                 (document.is_modified() ? QStringLiteral(" *") : QString()));
    quint64 const count = document.size();
    item.setText(SizeColumn,
                 count == 1
                     ? tr("1 object")
                     : tr("%1 objects").arg(QLocale().toString(static_cast<qulonglong>(count))));
    item.setTextAlignment(SizeColumn, Qt::AlignRight | Qt::AlignVCenter);
    qDeleteAll(item.takeChildren());
    if (auto const* concrete = dynamic_cast<housekeeping::Document const*>(&document)) {
        QList<QTreeWidgetItem*> children;
        for (housekeeping::Document::ObjectPtr const& object : concrete->objects()) {
            if (object) {
                children << object_item(*object);
            }
        }
        item.addChildren(children);
    }
    item.setExpanded(m_collapsed.count(document.id().value()) == 0);
}

void DocumentPanel::item_activated(QTreeWidgetItem* item) {
    if (item == nullptr || item->parent() != nullptr) {
        return;
    }
    housekeeping::DocumentId const id(
        item->data(NameColumn, DocumentPanel::document_id_role).toInt());
    housekeeping::DocumentManager& manager = housekeeping::DocumentManager::instance();
    if (manager.document_exists(id) && manager.current_document_id() != id) {
        manager.current_document(id);
    }
}

} // namespace app
} // namespace quarro
