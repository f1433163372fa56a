// File > Recent Files: the submenu built from the host's list, and reopening an entry by path or
// with its stored data source, including entries whose file is gone or already open.
#include "FlowHost.h"
#include "FlowReaders.h"
#include "ImportManager.h"

#include "housekeeping/AbstractDataInformation.h"
#include "housekeeping/AbstractDataInformationFactory.h"
#include "housekeeping/DataSource.h"
#include "housekeeping/Document.h"
#include "housekeeping/DocumentManager.h"
#include "housekeeping/ErrorProtocol.h"
#include "housekeeping/RecentDocumentsQueue.h"
#include "utilities/UrlUtilities.h"

#include <QAction>
#include <QMenu>
#include <QMessageBox>
#include <QSettings>
#include <QVariant>
#include <QtGlobal>

#include <string>

namespace quarro {
namespace test {
namespace {

using housekeeping::DocumentId;

class RecentFlow : public FlowTest {
protected:
    static void add_recent(QString const& path, std::string const& key, bool complete) {
        auto const information = housekeeping::AbstractDataInformationFactory::create(key);
        information->set_complete(complete);
        housekeeping::RecentDocumentsQueue::instance().add(
            boost::shared_ptr<housekeeping::DataSource>(
                new housekeeping::DataSource(utilities::filesystem_to_url(path), information)));
    }
    // Opens the submenu and clicks its entry at `position` (0 is the top one).
    static void click_recent(int position) {
        show_recent_menu();
        ASSERT_NE(recent_menu(), nullptr);
        QAction* const entry = recent_menu()->actions().value(position);
        ASSERT_NE(entry, nullptr);
        ASSERT_TRUE(entry->isVisible() && entry->isEnabled());
        entry->trigger();
    }
};

TEST_F(RecentFlow, TheSubmenuShowsTheMostRecentEntryFirstWithItsNumber) {
    QString const a = flow_path(QStringLiteral("recent/a.qro"));
    QString const b = flow_path(QStringLiteral("recent/b.qro"));
    QString const c = flow_path(QStringLiteral("recent/c.qro"));
    add_recent(a, "QRO", false);
    add_recent(b, "QRO", false);
    add_recent(c, "QRO", false);

    show_recent_menu();

    ASSERT_NE(recent_menu(), nullptr);
    QList<QAction*> const entries = recent_menu()->actions();
    ASSERT_EQ(entries.size(), 20);
    EXPECT_EQ(entries[0]->text(), QStringLiteral("&1  c.qro"));
    EXPECT_EQ(entries[1]->text(), QStringLiteral("&2  b.qro"));
    EXPECT_EQ(entries[2]->text(), QStringLiteral("&3  a.qro"));
    EXPECT_EQ(entries[0]->data(), QVariant(2));
    EXPECT_EQ(entries[1]->data(), QVariant(1));
    EXPECT_EQ(entries[2]->data(), QVariant(0));
    EXPECT_EQ(entries[0]->statusTip(), c);
    EXPECT_EQ(entries[2]->statusTip(), a);
    for (int i = 0; i < entries.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(entries[i]->isVisible(), i < 3);
        EXPECT_EQ(entries[i]->isEnabled(), i < 3);
    }

    // A full list of twenty: every entry shows, the last with the number 20.
    for (int i = 0; i < 20; ++i) {
        add_recent(flow_path(QStringLiteral("recent/full%1.qro").arg(i)), "QRO", false);
    }
    show_recent_menu();
    EXPECT_EQ(entries[0]->text(), QStringLiteral("&1  full19.qro"));
    EXPECT_EQ(entries[19]->text(), QStringLiteral("&20  full0.qro"));
    EXPECT_EQ(entries[19]->data(), QVariant(0));
    EXPECT_TRUE(entries[19]->isVisible());

    // An empty list hides and disables them all.
    housekeeping::RecentDocumentsQueue::instance().clear();
    show_recent_menu();
    for (QAction const* entry : entries) {
        EXPECT_FALSE(entry->isVisible());
        EXPECT_FALSE(entry->isEnabled());
    }
}

TEST_F(RecentFlow, AnAmpersandInAFileNameIsShownAsItIs) {
    QString const path = flow_path(QStringLiteral("recent & more/a&b.qro"));
    add_recent(path, "QRO", false);

    show_recent_menu();

    QAction const* const entry = recent_menu()->actions().value(0);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->text(), QStringLiteral("&1  a&&b.qro"));
    // What the menu shows once the mnemonic is taken out.
    EXPECT_EQ(entry->iconText(), QStringLiteral("1  a&b.qro"));
    QString doubled = path;
    doubled.replace(QLatin1Char('&'), QStringLiteral("&&"));
    EXPECT_EQ(entry->statusTip(), doubled);
}

TEST_F(RecentFlow, AnEntryWithIncompleteInformationOpensByPathWithTheImporterThatFits) {
    // The native importer when it takes the file, else the one the file's extension names.
    struct Row {
        char const* name;
        QByteArray content;
        char const* key;
        char const* object;
    };
    Row const rows[] = {{"recent.txt", "1 2 3\n", "QRO", "recent.txt:1"},
                        {"recent.las", "not native\n1 2 3\n", "WELLS", "recent.las:2"}};
    for (Row const& row : rows) {
        SCOPED_TRACE(row.name);
        wizards.clear();
        QString const file = flow_file(QString::fromLatin1(row.name), row.content);
        add_recent(file, "TXT", false);
        expect_wizard();

        click_recent(0);

        ASSERT_EQ(wizards.size(), 1u);
        EXPECT_EQ(wizards[0].key, row.key);
        EXPECT_EQ(wizards[0].urls, QStringList({file}));
        EXPECT_EQ(object_names(documents().current_document_id()), QStringList({row.object}));
        EXPECT_EQ(stored_file_path(QStringLiteral("last_open")), file);
        EXPECT_EQ(stored_file_path(QStringLiteral("last_filter")), NativeSpec::filter);
    }
}

TEST_F(RecentFlow, ACompleteEntryRunsItsImportersWizardAndAnOpenEntryOnlyComesForward) {
    QString const wells = flow_file(QStringLiteral("recent.las"), "4 5 6\n");
    add_recent(wells, "WELLS", true);
    expect_wizard();

    click_recent(0);

    ASSERT_EQ(wizards.size(), 1u);
    EXPECT_EQ(wizards[0].key, "WELLS");
    EXPECT_TRUE(wizards[0].registered()) << wizards[0].type;
    EXPECT_EQ(wizards[0].urls, QStringList({wells}));
    ASSERT_EQ(readerJournal().calls.size(), 1u);
    EXPECT_EQ(readerJournal().calls[0].key, "WELLS");
    DocumentId const opened = documents().current_document_id();
    EXPECT_EQ(object_names(opened), QStringList({"recent.las:1"}));
    // Whatever importer reopened it, the next dialog offers the native format.
    EXPECT_EQ(stored_file_path(QStringLiteral("last_filter")), NativeSpec::filter);

    // Open already: the document comes forward, no wizard runs and nothing is stored.
    QSettings().setValue(QStringLiteral("file_paths/last_open"), QStringLiteral("elsewhere"));
    documents().create_document();
    click_recent(0);
    EXPECT_EQ(wizards.size(), 1u);
    EXPECT_EQ(documents().current_document_id(), opened);
    EXPECT_EQ(stored_file_path(QStringLiteral("last_open")), QStringLiteral("elsewhere"));
}

TEST_F(RecentFlow, AnEntryWhoseFileIsGoneIsReportedEitherWay) {
    QString const stored = flow_path(QStringLiteral("gone/stored.qro"));
    QString const by_path = flow_path(QStringLiteral("gone/by path.qro"));
    add_recent(stored, "QRO", true);
    add_recent(by_path, "QRO", false);
    dialogs.pressMessageBoxButton(QMessageBox::Ok);
    dialogs.pressMessageBoxButton(QMessageBox::Ok);

    click_recent(1);
    EXPECT_EQ(stored_file_path(QStringLiteral("last_open")), stored);
    click_recent(0);

    EXPECT_EQ(dialogs.messageBoxes(),
              QStringList({warning("This file cannot be located:\n'" + stored + "'"),
                           warning("Unable to import file(s) using the selected importer.\n\n " +
                                   by_path + ": The file does not exist.")}));
    EXPECT_TRUE(housekeeping::ErrorProtocol::instance().lines().contains("Cannot locate file '" +
                                                                         stored + "'"));
    EXPECT_TRUE(wizards.empty());
    EXPECT_EQ(documents().num_documents(), 0u);
    EXPECT_EQ(stored_file_path(QStringLiteral("last_open")), by_path);
    EXPECT_EQ(stored_file_path(QStringLiteral("last_filter")), NativeSpec::filter);
}

TEST_F(RecentFlow, AWizardThatThrowsOnAStoredSourceCostsOneLineOnTheErrorStream) {
    QString const broken = flow_file(QStringLiteral("stored.brk"), "1 1 1\n");
    QString const next = flow_file(QStringLiteral("next.qro"), "2 2 2\n");
    add_recent(next, "QRO", false);
    add_recent(broken, "BROKEN", true);

    // Qt's own diagnostics of the offscreen platform are not the manager's to write.
    QtMessageHandler const qt_handler =
        qInstallMessageHandler([](QtMsgType, QMessageLogContext const&, QString const&) {});
    testing::internal::CaptureStderr();
    click_recent(0);
    std::string const written = testing::internal::GetCapturedStderr();
    qInstallMessageHandler(qt_handler);

    EXPECT_EQ(written, "ImportManager::open_data_source( "
                       "boost::shared_ptr<housekeeping::DataSource> p_ds) exception\n");
    EXPECT_TRUE(readerJournal().calls.empty());
    EXPECT_EQ(documents().num_documents(), 0u);

    // The manager carries on.
    expect_wizard();
    click_recent(1);
    EXPECT_EQ(object_names(documents().current_document_id()), QStringList({"next.qro:1"}));
}

TEST_F(RecentFlow, ALockedCurrentDocumentKeepsRecentFilesClosed) {
    QString const file = flow_file(QStringLiteral("while-locked.qro"), "1 1 1\n");
    add_recent(file, "QRO", false);
    QSettings().setValue(QStringLiteral("file_paths/last_open"), QStringLiteral("before"));
    DocumentId const locked = documents().create_document();
    document(locked)->set_locked(true);

    click_recent(0);

    EXPECT_TRUE(readerJournal().calls.empty());
    EXPECT_EQ(documents().num_documents(), 1u);
    EXPECT_EQ(stored_file_path(QStringLiteral("last_open")), QStringLiteral("before"));
}

} // namespace
} // namespace test
} // namespace quarro
