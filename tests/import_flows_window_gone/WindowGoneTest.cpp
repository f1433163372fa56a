// The host deletes its main window, and with it the Open, Insert and Revert actions, before the
// import manager: later document messages must leave the freed actions alone, and a new main
// window gets actions of its own.
#include "FlowHost.h"
#include "FlowReaders.h"
#include "ImportManager.h"

#include "AbstractFileReaderFactory.h"
#include "ConcreteProductFactory.h"
#include "base/brkDestructor.h"
#include "housekeeping/AbstractQuickHelpEntry.h"
#include "housekeeping/DocumentManager.h"
#include "housekeeping/DocumentMessage.h"

#include <QAction>
#include <QMenu>
#include <QPointer>

#include <memory>

namespace quarro {
namespace test {
namespace {

using housekeeping::DocumentId;

import::ConcreteProductFactory<import::AbstractFileReaderFactory, ScriptedReader<NativeSpec>> const
    s_native(NativeSpec::key);

// Builds the window's File menu and document actions through the host's messages.
void announce(HostMainWindow& window) {
    window.announce_menu(window.file_menu);
    window.request_document_actions();
    import::ImportManager::instance().post_init();
}

int manager_help_entries() {
    int count = 0;
    for (QObject const* help : housekeeping::AbstractQuickHelpEntry::entries()) {
        count += help->parent() == &import::ImportManager::instance() ? 1 : 0;
    }
    return count;
}

TEST(ImportManagerWithoutItsWindow, DocumentMessagesAfterTheWindowWentTouchNoFreedAction) {
    housekeeping::DocumentManager& documents = housekeeping::DocumentManager::instance();
    import::ImportManager& manager = import::ImportManager::instance();
    auto first = std::make_unique<HostMainWindow>();
    announce(*first);
    QPointer<QAction> const old_open = menu_entry(*first->file_menu, QStringLiteral("Open"));
    ASSERT_FALSE(old_open.isNull());
    QPointer<QMenu> const recent =
        menu_entry(*first->file_menu, QStringLiteral("Recent Files"))->menu();
    ASSERT_FALSE(recent.isNull());

    first.reset();
    ASSERT_TRUE(old_open.isNull());

    // Every type of document message, and the manager's own switch, with the actions gone.
    DocumentId const id = documents.create_document();
    ASSERT_TRUE(documents.destroy_document(id, true, false, false, DocumentId::null()));
    manager.enable_document_actions(true);
    EXPECT_FALSE(recent->isEnabled());

    // A new main window gets new actions, which follow the document messages again, and the
    // Recent Files submenu that the manager kept.
    HostMainWindow second;
    announce(second);
    QAction* const open = menu_entry(*second.file_menu, QStringLiteral("Open"));
    QAction* const insert = menu_entry(*second.file_menu, QStringLiteral("&Insert..."));
    QAction* const revert = menu_entry(*second.file_menu, QStringLiteral("Revert"));
    ASSERT_TRUE(open && insert && revert);
    EXPECT_EQ(second.open_action(), open);
    EXPECT_EQ(second.insert_action(), insert);
    EXPECT_EQ(second.revert_action(), revert);
    QAction* const recent_entry = menu_entry(*second.file_menu, QStringLiteral("Recent Files"));
    ASSERT_NE(recent_entry, nullptr);
    EXPECT_EQ(recent_entry->menu(), recent.data());
    EXPECT_EQ(recent->actions().size(), 20);
    // Only the new actions have quick-help entries.
    EXPECT_EQ(manager_help_entries(), 2);

    documents.create_document();
    EXPECT_TRUE(open->isEnabled());
    EXPECT_TRUE(insert->isEnabled());
    EXPECT_TRUE(recent->isEnabled());
    documents.destroy_all();
    housekeeping::DocumentMessage* const closed = housekeeping::DocumentMessage::instance();
    closed->doc_change_type(housekeeping::DocumentMessage::LastDocumentClosed);
    housekeeping::Message::dispatch(closed);
    EXPECT_FALSE(open->isEnabled());
    EXPECT_FALSE(insert->isEnabled());
    EXPECT_FALSE(recent->isEnabled());

    // Shut-down as the host does it: the manager first, then the window.
    brkBase::brkDestructor::destroy_all();
}

} // namespace
} // namespace test
} // namespace quarro
