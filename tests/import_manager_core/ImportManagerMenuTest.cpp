// The File menu, the document actions, the quick-help entries and drag and drop as the host's
// start-up leaves them, and the start folder read from the settings.
#include "ImportManager.h"
#include "StartedHost.h"

#include "housekeeping/QuickHelpKeySequenceEntry.h"
#include "housekeeping/QuickHelpSection.h"
#include "housekeeping/gui/MainWindowMessage.h"

#include <QAction>
#include <QFile>
#include <QIcon>
#include <QKeySequence>
#include <QMenu>
#include <QSet>
#include <gtest/gtest.h>

namespace {

using namespace quarro;
using housekeeping::gui::MainWindowMessage;
using test::started_host;

QAction* file_entry(QString const& text) {
    return test::menu_entry(*started_host().window->file_menu, text);
}

TEST(ImportManagerFileMenu, HoldsOpenInsertRevertAndRecentFilesAtTheHostsPositions) {
    test::StartedHost& host = started_host();

    EXPECT_EQ(QStringList({"&New", "Open", "&Insert...", "--", "&Save", "&Close", "Revert",
                           "Recent Files", "--", "&Quit"}),
              test::menu_texts(*host.window->file_menu));

    QAction* const open = file_entry("Open");
    QAction* const insert = file_entry("&Insert...");
    QAction* const revert = file_entry("Revert");
    QAction* const recent = file_entry("Recent Files");
    ASSERT_TRUE(open && insert && revert && recent);
    EXPECT_EQ(1, MainWindowMessage::menu_position(open));
    EXPECT_EQ(2, MainWindowMessage::menu_position(insert));
    EXPECT_EQ(11, MainWindowMessage::menu_position(revert));
    EXPECT_EQ(20, MainWindowMessage::menu_position(recent));
    QList<QAction*> const entries = host.window->file_menu->actions();
    EXPECT_EQ(3, MainWindowMessage::menu_position(entries.at(3)));
    EXPECT_EQ(21, MainWindowMessage::menu_position(entries.at(8)));

    EXPECT_EQ(QKeySequence(QKeySequence::Open), open->shortcut());
    EXPECT_EQ(QStringLiteral("Ctrl+O"), open->shortcut().toString(QKeySequence::PortableText));
    EXPECT_EQ(QStringLiteral("Ctrl+I"), insert->shortcut().toString(QKeySequence::PortableText));
    EXPECT_TRUE(revert->shortcut().isEmpty());

    EXPECT_EQ(QStringLiteral("Open existing file in new document"), open->statusTip());
    EXPECT_EQ(QStringLiteral("Insert existing file into current document"), insert->statusTip());
    EXPECT_EQ(QStringLiteral("Reload current document from file"), revert->statusTip());

    EXPECT_TRUE(QFile::exists(QStringLiteral(":/vista/Resources/folder_page_white.png")));
    EXPECT_FALSE(open->icon().isNull());
    EXPECT_TRUE(insert->icon().isNull());
    EXPECT_TRUE(revert->icon().isNull());

    // The document actions belong to the main window.
    EXPECT_EQ(host.window, open->parent());
    EXPECT_EQ(host.window, insert->parent());
    EXPECT_EQ(host.window, revert->parent());
    for (QAction const* action : {open, insert, revert}) {
        EXPECT_TRUE(action->isVisible());
        EXPECT_TRUE(action->isEnabled());
    }

    // The other menu keeps only the host's own entries.
    EXPECT_EQ(QStringList({"&Zoom"}), host.view_menu_after_message);
    EXPECT_EQ(QStringList({"&Zoom"}), test::menu_texts(*host.window->view_menu));
}

TEST(ImportManagerFileMenu, RecentFilesHoldsTwentyHiddenEntriesOwnedByTheManager) {
    test::StartedHost& host = started_host();
    QAction* const recent = file_entry("Recent Files");
    ASSERT_NE(nullptr, recent);
    QMenu* const submenu = recent->menu();
    ASSERT_NE(nullptr, submenu);

    EXPECT_EQ(QStringLiteral("Recent Files"), submenu->title());
    EXPECT_EQ(nullptr, submenu->parent());
    ASSERT_EQ(20, submenu->actions().size());
    for (QAction const* action : submenu->actions()) {
        EXPECT_FALSE(action->isVisible());
        EXPECT_FALSE(action->isSeparator());
        EXPECT_EQ(host.manager, action->parent());
    }
    // Twenty distinct entries, not one entry twenty times.
    QList<QAction*> const actions = submenu->actions();
    EXPECT_EQ(20, QSet<QAction*>(actions.begin(), actions.end()).size());
}

TEST(ImportManagerFileMenu, ActionsAreBuiltByTheFirstMessageAndKeptAfterwards) {
    test::StartedHost& host = started_host();

    // The View menu's message came first: it built the actions (and their quick-help entries)
    // without placing anything.
    EXPECT_EQ(2, host.help_entries_after_view_menu);

    // Type 6 handed the File menu's actions over, in the order Open, Insert, Revert.
    EXPECT_EQ(file_entry("Open"), host.window->open_action());
    EXPECT_EQ(file_entry("&Insert..."), host.window->insert_action());
    EXPECT_EQ(file_entry("Revert"), host.window->revert_action());

    QAction* const open = host.window->open_action();
    host.window->announce_menu(host.window->view_menu);
    host.window->request_document_actions();

    EXPECT_EQ(open, host.window->open_action());
    EXPECT_EQ(file_entry("&Insert..."), host.window->insert_action());
    EXPECT_EQ(2, test::manager_help_entries().size());
    EXPECT_EQ(QStringList({"&Zoom"}), test::menu_texts(*host.window->view_menu));

    // With a main window nothing was logged.
    EXPECT_TRUE(host.log_during_startup.isEmpty())
        << host.log_during_startup.join('\n').toStdString();
}

TEST(ImportManagerFileMenu, QuickHelpDescribesTheOpenAndInsertShortcuts) {
    started_host();
    QList<QObject*> const entries = test::manager_help_entries();
    ASSERT_EQ(2, entries.size());

    QStringList texts;
    QStringList keys;
    for (QObject* object : entries) {
        auto const* entry = qobject_cast<housekeeping::QuickHelpKeySequenceEntry*>(object);
        ASSERT_NE(nullptr, entry);
        texts << entry->text();
        keys << entry->keys().toString(QKeySequence::PortableText);
        EXPECT_EQ(housekeeping::QuickHelpFile, entry->section());
        EXPECT_TRUE(entry->document().isNull());
        EXPECT_TRUE(entry->isAttached());
        EXPECT_TRUE(entry->isVisible());
    }
    // No ampersand and no dots; Revert has no shortcut and no entry.
    EXPECT_EQ(QStringList({"Open", "Insert"}), texts);
    EXPECT_EQ(QStringList({"Ctrl+O", "Ctrl+I"}), keys);
}

TEST(ImportManagerFileMenu, PostInitConnectsDropsOnce) {
    test::StartedHost& host = started_host();
    EXPECT_EQ(0, host.drop_receivers_before_post_init);
    EXPECT_EQ(1, host.window->drop_receivers());

    host.manager->post_init();
    EXPECT_EQ(1, host.window->drop_receivers());
}

TEST(ImportManagerSettings, DialogsStartAtTheFileOpenedLastTime) {
    EXPECT_EQ(test::stored_last_open(), started_host().manager->filePath());
    EXPECT_EQ(test::stored_last_open(), import::ImportManager::const_instance().filePath());
}

} // namespace
