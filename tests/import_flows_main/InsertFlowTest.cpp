// File > Insert, the image insert onto a section, the host's files-insert message and the inserts
// by key that other libraries call.
#include "FlowHost.h"
#include "FlowReaders.h"
#include "ImportManager.h"
#include "ImportManagerFlowsTestPeer.h"

#include "housekeeping/Document.h"
#include "housekeeping/DocumentManager.h"
#include "housekeeping/FilesInsertMessage.h"
#include "utilities/UrlUtilities.h"

#include <QAction>
#include <QMessageBox>
#include <QUndoStack>

namespace quarro {
namespace test {
namespace {

using housekeeping::DocumentId;
using Peer = import::ImportManagerFlowsTestPeer;

QString const unable = QStringLiteral("Unable to import file(s) using the selected importer.");

class InsertFlow : public FlowTest {
protected:
    static void click_insert() {
        QAction* const insert = file_action(QStringLiteral("&Insert..."));
        ASSERT_NE(insert, nullptr);
        insert->trigger();
    }
    static void send_files_insert(QStringList const& paths) {
        auto* const message = housekeeping::FilesInsertMessage::instance();
        message->files(utilities::filesystem_to_url(paths));
        housekeeping::Message::dispatch(message);
    }
};

TEST_F(InsertFlow, WithoutAnUnlockedCurrentDocumentTheInsertActionShowsNoDialog) {
    // Any dialog would be reported as unexpected.
    click_insert();

    DocumentId const locked = documents().create_document();
    document(locked)->set_locked(true);
    click_insert();

    EXPECT_TRUE(file_dialogs.empty());
    EXPECT_TRUE(readerJournal().calls.empty());
    EXPECT_EQ(object_names(locked), QStringList());
}

TEST_F(InsertFlow, TheSelectedFilterAloneChoosesTheImporterAndTheInsertCanBeUndone) {
    DocumentId const current = documents().create_document();
    QString const file = flow_file(QStringLiteral("points.qro"), "1 1 1\n2 2 2\n");
    dialogs.chooseFiles({file}, QString::fromLatin1(TextSpec::filter));
    expect_wizard();

    click_insert();

    ASSERT_EQ(wizards.size(), 1u);
    EXPECT_EQ(wizards[0].key, "TXT");
    EXPECT_TRUE(wizards[0].inserting);
    EXPECT_FALSE(wizards[0].on_section);
    EXPECT_EQ(documents().num_documents(), 1u);
    EXPECT_EQ(object_names(current), QStringList({"points.qro:1", "points.qro:2"}));
    ASSERT_EQ(readerJournal().calls.size(), 1u);
    EXPECT_EQ(readerJournal().calls[0].key, "TXT");
    EXPECT_EQ(stored_file_path(QStringLiteral("last_open")), file);
    EXPECT_EQ(stored_file_path(QStringLiteral("last_filter")), TextSpec::filter);

    document(current)->undo_stack()->undo();
    EXPECT_EQ(object_names(current), QStringList());
}

TEST_F(InsertFlow, AFileThatFailsOrIsCancelledWhileInsertedLeavesNoUndoStep) {
    for (char const* ending : {"fail broken data\n", "cancel\n"}) {
        SCOPED_TRACE(ending);
        DocumentId const current = documents().create_document();
        QString const good = flow_file(QStringLiteral("insert/good.txt"), "1 1 1\n");
        QString const broken = flow_file(QStringLiteral("insert/broken.txt"), ending);
        dialogs.chooseFiles({good, broken}, QString::fromLatin1(TextSpec::filter));
        expect_wizard();

        click_insert();

        EXPECT_EQ(object_names(current), QStringList({"good.txt:1"}));
        QUndoStack* const stack = document(current)->undo_stack();
        ASSERT_EQ(stack->count(), 1);
        EXPECT_EQ(stack->text(0), QStringLiteral("good.txt"));
        stack->undo();
        EXPECT_EQ(object_names(current), QStringList());
        documents().destroy_all();
    }
}

TEST_F(InsertFlow, ARefusedInsertShowsTheReasonRightAfterTheLineFeeds) {
    DocumentId const current = documents().create_document();
    QString const refused = flow_file(QStringLiteral("insert/bad.txt"), "bad\n");
    dialogs.chooseFiles({refused}, QString::fromLatin1(TextSpec::filter));
    dialogs.pressMessageBoxButton(QMessageBox::Ok);

    click_insert();

    EXPECT_EQ(dialogs.messageBoxes(), QStringList({warning(unable + "\n\nbad header")}));
    EXPECT_TRUE(wizards.empty());
    EXPECT_EQ(object_names(current), QStringList());
    EXPECT_EQ(stored_file_path(QStringLiteral("last_open")), refused);
    EXPECT_EQ(stored_file_path(QStringLiteral("last_filter")), TextSpec::filter);
}

TEST_F(InsertFlow, TheImageInsertPutsImagesOnASectionOfTheCurrentDocument) {
    DocumentId const current = documents().create_document();
    QString const image = flow_file(QStringLiteral("images/section.png"), "5 5 5\n");

    // Cancelled: nothing changes.
    expect_file_dialog_cancelled();
    manager().insert_image_on_section();
    ASSERT_EQ(file_dialogs.size(), 1u);
    EXPECT_EQ(file_dialogs[0].caption, QStringLiteral("Insert: Select image"));
    ASSERT_FALSE(file_dialogs[0].filters.isEmpty());
    QString const raster_filter = file_dialogs[0].filters.first();
    EXPECT_EQ(raster_filter,
              QStringLiteral("GIS Data - Raster Files (including images) ( *.adf *.blx *.xlb "
                             "*.bag *.bmp *.dem *.doq *.dt0 *.dt1 *.dt2 *.grb *.hdr *.ers *.kap "
                             "*.bt *.gif *.img *.mpr *.jpg *.jp2 *.j2k *.tif *.png *.im* *.jp* "
                             "*.png *.xpm )"));
    EXPECT_FALSE(manager().insert_on_section());

    dialogs.chooseFiles({image});
    expect_wizard();
    manager().insert_image_on_section();

    ASSERT_EQ(wizards.size(), 1u);
    EXPECT_EQ(wizards[0].key, "DEMRaster");
    EXPECT_TRUE(wizards[0].on_section);
    EXPECT_TRUE(wizards[0].inserting);
    EXPECT_EQ(object_names(current), QStringList({"section.png:1"}));
    // The loader clears the flag when its load ends.
    EXPECT_FALSE(manager().insert_on_section());
    EXPECT_EQ(stored_file_path(QStringLiteral("last_open")), image);
    EXPECT_EQ(stored_file_path(QStringLiteral("last_filter")), raster_filter);

    // A refused image: a blank before the reason, and the flag stays set for the next wizard.
    QString const refused = flow_file(QStringLiteral("images/bad.png"), "bad\n");
    dialogs.chooseFiles({refused});
    dialogs.pressMessageBoxButton(QMessageBox::Ok);
    manager().insert_image_on_section();

    EXPECT_EQ(dialogs.messageBoxes(), QStringList({warning(unable + "\n\n bad header")}));
    EXPECT_EQ(wizards.size(), 1u);
    EXPECT_TRUE(manager().insert_on_section());
    EXPECT_EQ(stored_file_path(QStringLiteral("last_open")), refused);

    expect_wizard();
    EXPECT_TRUE(manager().open_urls_using_key({image}, "TXT", current));
    ASSERT_EQ(wizards.size(), 2u);
    EXPECT_TRUE(wizards[1].on_section);
    EXPECT_FALSE(manager().insert_on_section());
}

TEST_F(InsertFlow, TheHostsFilesInsertMessageInsertsFilesNotYetOpenWithoutComplaining) {
    DocumentId const current = documents().create_document();
    QString const first = flow_file(QStringLiteral("message1.qro"), "1 0 0\n");
    QString const second = flow_file(QStringLiteral("message2.qro"), "2 0 0\n");
    expect_wizard();

    send_files_insert({first, second});

    ASSERT_EQ(wizards.size(), 1u);
    EXPECT_EQ(wizards[0].key, "QRO");
    EXPECT_EQ(wizards[0].urls, QStringList({first, second}));
    EXPECT_TRUE(wizards[0].inserting);
    EXPECT_EQ(object_names(current), QStringList({"message1.qro:1", "message2.qro:1"}));

    // A file open in another document: that document comes forward and nothing is read.
    dialogs.chooseFiles({first}, QString::fromLatin1(NativeSpec::filter));
    expect_wizard();
    file_action(QStringLiteral("Open"))->trigger();
    DocumentId const opened = documents().current_document_id();
    documents().current_document(current);
    readerJournal().calls.clear();
    send_files_insert({first});
    EXPECT_EQ(documents().current_document_id(), opened);
    EXPECT_EQ(wizards.size(), 2u);
    EXPECT_TRUE(readerJournal().calls.empty());

    // Refused files: no message box, nothing read.
    QString const refused = flow_file(QStringLiteral("message-bad.qro"), "bad\n");
    send_files_insert({refused});
    EXPECT_TRUE(dialogs.messageBoxes().isEmpty());
    EXPECT_TRUE(readerJournal().calls.empty());
}

TEST_F(InsertFlow, InsertsByKeyVerifyOrNotAsTheCallerChooses) {
    DocumentId const current = documents().create_document();
    QString const refused = flow_file(QStringLiteral("library-bad.txt"), "bad\n");
    QString const good = flow_file(QStringLiteral("library.txt"), "1 1 1\n");
    QString message;

    EXPECT_FALSE(Peer::insert_urls({refused}, "TXT", message));
    EXPECT_EQ(message, QStringLiteral("bad header"));
    EXPECT_TRUE(dialogs.messageBoxes().isEmpty());

    // An empty key is the native importer's.
    expect_wizard();
    message.clear();
    EXPECT_TRUE(Peer::insert_urls({good}, std::string(), message));
    // Without verification even a file the reader would refuse reaches the wizard.
    expect_wizard();
    EXPECT_TRUE(Peer::insert_urls_using_key({refused}, "TXT"));

    ASSERT_EQ(wizards.size(), 2u);
    EXPECT_EQ(wizards[0].key, "QRO");
    EXPECT_TRUE(wizards[0].inserting);
    EXPECT_EQ(wizards[1].key, "TXT");
    EXPECT_EQ(wizards[1].urls, QStringList({refused}));
    EXPECT_TRUE(wizards[1].inserting);
    EXPECT_EQ(object_names(current), QStringList({"library.txt:1"}));
}

} // namespace
} // namespace test
} // namespace quarro
