// The start-up as a user meets it: the plugins were loaded before the import manager asked the
// readers for their filters, a broken plugin was skipped and logged, and the menus hold the
// host's and the import manager's entries in the host's order.
#include "MainWindow.h"
#include "ModalDialogHelper.h"
#include "StartedApp.h"
#include "housekeeping/AbstractDocument.h"
#include "housekeeping/DocumentManager.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QMenu>
#include <gtest/gtest.h>

namespace quarro {
namespace test {
namespace {

QStringList menuTexts(QMenu const& menu) {
    QStringList texts;
    for (QAction const* action : menu.actions()) {
        texts << (action->isSeparator() ? QStringLiteral("--") : action->text());
    }
    return texts;
}

QStringList fileNames(QStringList const& paths) {
    QStringList names;
    for (QString const& path : paths) {
        names << QFileInfo(path).fileName();
    }
    return names;
}

TEST(AppStartupTest, LoadsThePluginsFirstAndSkipsABrokenOne) {
    StartedApp& app = startedApp();

    ASSERT_GE(app.report.plugin_folders.size(), 4);
    QDir const program_dir(QCoreApplication::applicationDirPath());
    EXPECT_EQ(app.report.plugin_folders[0], program_dir.filePath(QStringLiteral("plugins")));
    EXPECT_EQ(app.report.plugin_folders[1],
              QDir::cleanPath(program_dir.filePath(QStringLiteral("../lib/quarro/plugins"))));
    EXPECT_EQ(app.report.plugin_folders[2], QDir::cleanPath(QStringLiteral(APP_TEST_PLUGIN_DIR)));

    QStringList const loaded = fileNames(app.report.loaded_plugins);
    for (QString const name : {"quarro_reader_las.so", "quarro_reader_native.so",
                               "quarro_reader_dxf.so", "app_test_reader_plugin.so"}) {
        EXPECT_TRUE(loaded.contains(name)) << name.toStdString();
    }
    EXPECT_EQ(app.report.failed_plugins, QStringList{app.broken_plugin});
    QStringList const complaints = app.startup_log.filter(
        QStringLiteral("Cannot load reader plugin '%1'").arg(app.broken_plugin));
    EXPECT_EQ(complaints.size(), 1) << app.startup_log.join('\n').toStdString();

    EXPECT_TRUE(registered("APPTEST"));
    EXPECT_TRUE(registered("WELLS"));
    EXPECT_TRUE(registered("QRO"));

    // The manager built the Open dialog's filters when it was created: a plugin loaded after it
    // would be missing here.
    QStringList filters;
    ModalDialogHelper helper;
    helper.expect([&filters](QWidget* dialog) {
        if (auto* files = qobject_cast<QFileDialog*>(dialog)) {
            filters = files->nameFilters();
            files->reject();
        }
    });
    ASSERT_NE(app.window->open_action(), nullptr);
    app.window->open_action()->trigger();
    EXPECT_TRUE(helper.allAnswered());
    EXPECT_TRUE(filters.contains(QStringLiteral("App Test Format (*.apptest)")))
        << filters.join(" | ").toStdString();
    EXPECT_TRUE(filters.contains(QStringLiteral("QRO Format (*.qro *.quarro *.qroz)")));
}

TEST(AppStartupTest, MenusHoldTheHostsAndTheManagersEntriesInOrder) {
    StartedApp& app = startedApp();
    app::MainWindow& window = *app.window;

    ASSERT_NE(window.file_menu(), nullptr);
    EXPECT_EQ(window.file_menu()->title(), QStringLiteral("&File"));
    EXPECT_EQ(menuTexts(*window.file_menu()),
              (QStringList{"&New", "Open", "&Insert...", "--", "&Save", "Save &As...", "&Close",
                           "Revert", "Recent Files", "--", "&Quit"}));
    QStringList const edit = menuTexts(*window.edit_menu());
    ASSERT_EQ(edit.size(), 2);
    EXPECT_TRUE(edit[0].startsWith(QStringLiteral("&Undo")));
    EXPECT_TRUE(edit[1].startsWith(QStringLiteral("&Redo")));
    EXPECT_EQ(menuTexts(*window.view_menu()).first(), QStringLiteral("Zoom to &Fit"));

    // The type 6 message handed the manager's actions to the window: they are the menu's entries.
    QList<QAction*> const file_actions = window.file_menu()->actions();
    EXPECT_TRUE(file_actions.contains(window.open_action()));
    EXPECT_TRUE(file_actions.contains(window.insert_action()));
    EXPECT_TRUE(file_actions.contains(window.revert_action()));
    QAction const* const recent = file_actions[8];
    ASSERT_NE(recent->menu(), nullptr);
    // The window keeps the submenu, which the manager made without a parent.
    EXPECT_EQ(recent->menu()->parent(), &window);

    // Start-up leaves one blank document, which the first import reuses.
    housekeeping::DocumentManager const& documents = housekeeping::DocumentManager::instance();
    ASSERT_NE(documents.current_document(), nullptr);
}

} // namespace
} // namespace test
} // namespace quarro
