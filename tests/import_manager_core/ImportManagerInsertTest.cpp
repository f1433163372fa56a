// Inserting a data source through an undoable command.
#include "ModalDialogHelper.h"

#include "AbstractInsertCommandImplementationFactory.h"
#include "ConcreteProductFactory.h"
#include "ImportManager.h"
#include "InsertCommandConstructionException.h"
#include "base/brkDestructor.h"
#include "housekeeping/AbstractDataInformationFactory.h"
#include "housekeeping/AbstractDocument.h"
#include "housekeeping/CommandManager.h"
#include "housekeeping/DataSource.h"
#include "housekeeping/DocumentManager.h"
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
using Calls = std::vector<std::string>;

// What the next insert-command implementation does, and what it was asked.
enum class Script { Succeed, ConstructionFails, RunFails, InitThrowsOther };
struct Recording {
    Script script = Script::Succeed;
    AbstractFileReader::ImportState state = AbstractFileReader::IMPORT_OK;
    Calls calls;
    bool importing = false;
    DocumentId document;
} recording;

class ScriptedImplementation : public import::AbstractInsertCommandImplementation {
public:
    void init(boost::shared_ptr<housekeeping::DataSource>, DocumentId const& document,
              bool importing, bool, import::InsertCommand const*,
              brkBase::AbstractProgress*) override {
        recording.calls.push_back("init");
        recording.document = document;
        recording.importing = importing;
        if (recording.script == Script::ConstructionFails) {
            throw import::InsertCommandConstructionException(7, "no target", __FILE__, __LINE__);
        }
        if (recording.script == Script::InitThrowsOther) {
            throw std::runtime_error("implementation broken");
        }
    }
    void do_command() override {
        recording.calls.push_back("do");
        if (recording.script == Script::RunFails) {
            throw quarro::Exception(3, "disk full", __FILE__, __LINE__);
        }
    }
    void undo_command() override { recording.calls.push_back("undo"); }
    void remember() override { recording.calls.push_back("remember"); }
    void rollback() override { recording.calls.push_back("rollback"); }
    void finished(bool ok) override { recording.calls.push_back(ok ? "finished" : "failed"); }
    QString summary() override { return QStringLiteral("a.qro: <b>OK</b><br />\n"); }
    AbstractFileReader::ImportState import_state() override { return recording.state; }
};
import::ConcreteProductFactory<import::AbstractInsertCommandImplementationFactory,
                               ScriptedImplementation>
    implementation_factory("InsertCommandImplementation");

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

AbstractFileReader::ImportState insert(DocumentId const& document, bool importing,
                                       QString* summary) {
    return import::ImportManager::instance().insert(source("QRO"), document, importing, nullptr,
                                                    summary);
}

TEST(ImportManagerInsert, RunsAnUndoableCommandAndReportsItsOutcome) {
    using State = AbstractFileReader::ImportState;
    struct Case {
        Script script;
        State state;
        Calls calls;
        QStringList boxes;
        QString summary;
        int recorded;
    } const cases[] = {
        {Script::Succeed,
         State::IMPORT_OK,
         {"init", "remember", "do", "finished"},
         {},
         "a.qro: <b>OK</b><br />\n",
         1},
        {Script::ConstructionFails,
         State::IMPORT_FAILED,
         {"init"},
         {"Error|Unable to run Insert file.\n\n Please contact Brennick with an error log."},
         "untouched",
         0},
        {Script::RunFails,
         State::IMPORT_FAILED,
         {"init", "remember", "do", "rollback", "failed"},
         {},
         "untouched",
         0},
        {Script::InitThrowsOther, State::IMPORT_FAILED, {"init"}, {}, "untouched", 0},
    };
    for (Case const& c : cases) {
        recording = Recording();
        recording.script = c.script;
        DocumentManager::instance().destroy_all();
        DocumentId const document = DocumentManager::instance().create_document();
        test::ModalDialogHelper dialogs;
        dialogs.pressMessageBoxButton(QMessageBox::Ok);
        QString summary = QStringLiteral("untouched");
        EXPECT_EQ(c.state, insert(document, true, &summary));
        EXPECT_EQ(c.calls, recording.calls);
        EXPECT_EQ(c.boxes, dialogs.messageBoxes());
        EXPECT_EQ(c.summary, summary);
        EXPECT_EQ(document, recording.document);
        EXPECT_EQ(c.recorded,
                  DocumentManager::instance().document_from_id(document)->undo_stack()->count());
        if (c.recorded == 1) {
            housekeeping::CommandManager::instance().undo();
            EXPECT_EQ("undo", recording.calls.back()) << "the command went to the undo history";
        }
    }
    recording = Recording();
    recording.state = AbstractFileReader::IMPORT_CANCELLED;
    EXPECT_EQ(AbstractFileReader::IMPORT_CANCELLED,
              insert(DocumentManager::instance().create_document(), false, nullptr));
    EXPECT_FALSE(recording.importing) << "the caller's flag";
}

} // namespace
