// Inserting a data source through an undoable command, reading one without a wizard, and the lock
// check of the user flows.
#include "ImportManagerTestPeer.h"
#include "ModalDialogHelper.h"

#include "AbstractFileReaderFactory.h"
#include "AbstractInsertCommandImplementation.h"
#include "AbstractInsertCommandImplementationFactory.h"
#include "ConcreteProductFactory.h"
#include "FakeFileReader.h"
#include "InsertCommand.h"
#include "InsertCommandConstructionException.h"
#include "base/brkDestructor.h"
#include "housekeeping/AbstractDataInformationFactory.h"
#include "housekeeping/AbstractDocument.h"
#include "housekeeping/CommandManager.h"
#include "housekeeping/DataSource.h"
#include "housekeeping/DocumentManager.h"
#include "housekeeping/ErrorProtocol.h"
#include "utilities/Exception.h"

#include <QMessageBox>
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

using namespace quarro;
using housekeeping::DocumentId;
using housekeeping::DocumentManager;
using import::AbstractFileReader;

// What the next insert-command implementation does.
enum class Script { Succeed, ConstructionFails, RunFails, InitThrowsOther };

struct Recording {
    Script script = Script::Succeed;
    AbstractFileReader::ImportState state = AbstractFileReader::IMPORT_OK;
    std::vector<std::string> calls;
    bool importing = false;
    bool inserting = false;
    DocumentId document;
};

Recording& recording() {
    static Recording r;
    return r;
}

class ScriptedImplementation : public import::AbstractInsertCommandImplementation {
public:
    void init(boost::shared_ptr<housekeeping::DataSource>, DocumentId const& document,
              bool importing, bool inserting, import::InsertCommand const*,
              brkBase::AbstractProgress*) override {
        Recording& r = recording();
        r.calls.push_back("init");
        r.document = document;
        r.importing = importing;
        r.inserting = inserting;
        if (r.script == Script::ConstructionFails) {
            throw import::InsertCommandConstructionException(7, "no target", __FILE__, __LINE__);
        }
        if (r.script == Script::InitThrowsOther) {
            throw std::runtime_error("implementation broken");
        }
    }
    void do_command() override {
        recording().calls.push_back("do");
        if (recording().script == Script::RunFails) {
            throw quarro::Exception(3, "disk full", __FILE__, __LINE__);
        }
    }
    void undo_command() override { recording().calls.push_back("undo"); }
    void remember() override { recording().calls.push_back("remember"); }
    void rollback() override { recording().calls.push_back("rollback"); }
    void finished(bool ok) override { recording().calls.push_back(ok ? "finished" : "failed"); }
    QString summary() override { return QStringLiteral("a.qro: <b>OK</b><br />\n"); }
    AbstractFileReader::ImportState import_state() override { return recording().state; }
};

import::ConcreteProductFactory<import::AbstractInsertCommandImplementationFactory,
                               ScriptedImplementation>
    implementation_factory("InsertCommandImplementation");

// Reads by registering one success, so that its summary tells that it ran.
struct Native {
    static constexpr char const* text = "QRO Format (*.qro *.quarro *.qroz)";
};
class SummaryReader : public test::FakeFileReader<Native> {
public:
    ImportState import_data(boost::shared_ptr<housekeeping::DataSource>, DocumentId const&, bool,
                            brkBase::AbstractProgress*, bool) override {
        register_success(QStringLiteral("a.qro"));
        return IMPORT_CANCELLED;
    }
};
import::ConcreteProductFactory<import::AbstractFileReaderFactory, SummaryReader>
    reader_factory("QRO");

class Shutdown : public ::testing::Environment {
public:
    void TearDown() override {
        DocumentManager::instance().destroy_all();
        brkBase::brkDestructor::destroy_all();
    }
};
::testing::Environment* const shutdown = ::testing::AddGlobalTestEnvironment(new Shutdown);

boost::shared_ptr<housekeeping::DataSource> source(std::string const& key) {
    return boost::shared_ptr<housekeeping::DataSource>(new housekeeping::DataSource(
        "file:///projects/a.qro", housekeeping::AbstractDataInformationFactory::create(key)));
}

class ImportManagerInsert : public ::testing::Test {
protected:
    void SetUp() override {
        recording() = Recording();
        DocumentManager::instance().destroy_all();
        document = DocumentManager::instance().create_document();
        housekeeping::ErrorProtocol::instance().clear();
    }
    void TearDown() override { DocumentManager::instance().destroy_all(); }

    static import::ImportManager& manager() { return import::ImportManager::instance(); }
    int recorded() const {
        return DocumentManager::instance().document_from_id(document)->undo_stack()->count();
    }

    DocumentId document;
};

TEST_F(ImportManagerInsert, RunsAnUndoableInsertCommandAndReportsItsOutcome) {
    QString summary = QStringLiteral("earlier");
    EXPECT_EQ(AbstractFileReader::IMPORT_OK,
              manager().insert(source("QRO"), document, true, nullptr, &summary));

    EXPECT_EQ(QStringLiteral("a.qro: <b>OK</b><br />\n"), summary);
    EXPECT_EQ(document, recording().document);
    EXPECT_TRUE(recording().importing);
    EXPECT_TRUE(recording().inserting);
    EXPECT_EQ((std::vector<std::string>{"init", "remember", "do", "finished"}), recording().calls);
    EXPECT_EQ(1, recorded());

    // The command was handed to the host's undo history.
    housekeeping::CommandManager::instance().undo();
    EXPECT_EQ("undo", recording().calls.back());

    // Without a summary pointer only the state comes back; `importing` is the caller's.
    recording() = Recording();
    recording().state = AbstractFileReader::IMPORT_CANCELLED;
    EXPECT_EQ(AbstractFileReader::IMPORT_CANCELLED,
              manager().insert(source("QRO"), document, false, nullptr, nullptr));
    EXPECT_FALSE(recording().importing);
    EXPECT_TRUE(recording().inserting);
}

TEST_F(ImportManagerInsert, ACommandThatCannotBeBuiltShowsOneErrorBox) {
    recording().script = Script::ConstructionFails;
    test::ModalDialogHelper dialogs;
    dialogs.pressMessageBoxButton(QMessageBox::Ok);
    QString summary = QStringLiteral("untouched");

    EXPECT_EQ(AbstractFileReader::IMPORT_FAILED,
              manager().insert(source("QRO"), document, true, nullptr, &summary));

    EXPECT_EQ(QStringList({"Error|Unable to run Insert file.\n\n Please contact Brennick with an "
                           "error log."}),
              dialogs.messageBoxes());
    EXPECT_TRUE(dialogs.unexpected().isEmpty());
    EXPECT_EQ(QStringLiteral("untouched"), summary);
    EXPECT_EQ(0, recorded());
    EXPECT_TRUE(housekeeping::ErrorProtocol::instance().lines().contains(
        QStringLiteral("  caught at import/src/ImportManager:827")));
}

TEST_F(ImportManagerInsert, OtherFailuresGiveFailedWithoutAMessage) {
    test::ModalDialogHelper dialogs;
    QString summary = QStringLiteral("untouched");

    recording().script = Script::RunFails;
    EXPECT_EQ(AbstractFileReader::IMPORT_FAILED,
              manager().insert(source("QRO"), document, true, nullptr, &summary));
    EXPECT_EQ((std::vector<std::string>{"init", "remember", "do", "rollback", "failed"}),
              recording().calls);

    recording() = Recording();
    recording().script = Script::InitThrowsOther;
    EXPECT_EQ(AbstractFileReader::IMPORT_FAILED,
              manager().insert(source("QRO"), document, true, nullptr, &summary));

    EXPECT_TRUE(dialogs.messageBoxes().isEmpty());
    EXPECT_TRUE(dialogs.unexpected().isEmpty());
    EXPECT_EQ(QStringLiteral("untouched"), summary);
    EXPECT_EQ(0, recorded());
}

TEST_F(ImportManagerInsert, OpenReadsADataSourceWithItsReader) {
    QString summary = QStringLiteral("untouched");
    EXPECT_EQ(AbstractFileReader::IMPORT_CANCELLED,
              manager().open(source("QRO"), document, true, nullptr, false, &summary));
    EXPECT_EQ(QStringLiteral("untouched"), summary);

    EXPECT_EQ(AbstractFileReader::IMPORT_CANCELLED,
              manager().open(source("QRO"), document, true, nullptr, true, &summary));
    EXPECT_TRUE(summary.startsWith(QStringLiteral("a.qro: <b>OK</b>"))) << summary.toStdString();

    // No reader for the key and no default: the factory's error reaches the caller.
    EXPECT_THROW(manager().open(source("WELLS"), document, true, nullptr, false, &summary),
                 std::runtime_error);
}

} // namespace
