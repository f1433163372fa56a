#ifndef QUARRO_TESTS_IMPORT_WIZARD_WIZARDTESTKIT_H
#define QUARRO_TESTS_IMPORT_WIZARD_WIZARDTESTKIT_H

#include "AbstractFileReaderFactory.h"
#include "AbstractInsertCommandImplementation.h"
#include "ImportManager.h"
#include "ModalDialogHelper.h"
#include "QImportWizard.h"
#include "QImportWizardDefaultLoaderSheet.h"
#include "QImportWizardSummarySheet.h"
#include "ScriptedReader.h"
#include "TestApplication.h"
#include "housekeeping/DocumentMessage.h"
#include "housekeeping/ErrorProtocol.h"

#include <QDir>
#include <QElapsedTimer>
#include <QPushButton>
#include <QSettings>
#include <QTextBrowser>
#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

// Readable failure messages for texts.
inline std::ostream& operator<<(std::ostream& os, QString const& text) {
    return os << '"' << text.toStdString() << '"';
}
inline void PrintTo(QString const& text, std::ostream* os) {
    *os << text;
}

namespace quarro {
namespace test {

// What an insert-command implementation was given, one entry per implementation made.
struct InsertInit {
    bool with_reader;
    housekeeping::DocumentId document;
    bool importing, inserting;
    brkBase::AbstractProgress* progress;
};
inline std::vector<InsertInit>& insertInits() {
    static std::vector<InsertInit> inits;
    return inits;
}

inline housekeeping::Document* documentOf(housekeeping::DocumentId const& id) {
    return dynamic_cast<housekeeping::Document*>(
        housekeeping::DocumentManager::instance().document_from_id(id));
}

// An insert that really changes a document: the first do_command() has a reader (the one it was
// given, else one made for the source's key) read the source into the document and keeps the
// objects that arrived; undo takes them out again and redo puts the same objects back.
class RecordingInsertImplementation : public import::AbstractInsertCommandImplementation {
public:
    void init(boost::shared_ptr<housekeeping::DataSource> source,
              boost::shared_ptr<import::AbstractFileReader> reader,
              housekeeping::DocumentId const& document, bool importing, bool inserting,
              import::InsertCommand const* command, brkBase::AbstractProgress* progress) override {
        m_reader = reader;
        init(source, document, importing, inserting, command, progress);
        m_init.with_reader = insertInits().back().with_reader = true;
    }
    void init(boost::shared_ptr<housekeeping::DataSource> source,
              housekeeping::DocumentId const& document, bool importing, bool inserting,
              import::InsertCommand const*, brkBase::AbstractProgress* progress) override {
        m_source = source;
        m_init = {false, document, importing, inserting, progress};
        insertInits().push_back(m_init);
    }

    void do_command() override {
        housekeeping::Document* doc = documentOf(m_init.document);
        if (doc != nullptr && m_done_once) { // redo: the same objects again
            for (housekeeping::Document::ObjectPtr const& object : m_added) {
                doc->add_object(object);
            }
        }
        if (doc == nullptr || std::exchange(m_done_once, true)) {
            return;
        }
        if (!m_reader && m_source) {
            m_reader = import::AbstractFileReaderFactory::create(m_source->key());
        }
        if (!m_reader) {
            return;
        }
        std::size_t const start = doc->object_count();
        m_state = m_reader->import_data(m_source, m_init.document, m_init.importing,
                                        m_init.progress, m_init.inserting);
        m_summary = m_reader->import_summary();
        // The read runs the event loop: the document may have been closed meanwhile.
        if ((doc = documentOf(m_init.document)) != nullptr && start < doc->objects().size()) {
            m_added.assign(doc->objects().begin() + static_cast<std::ptrdiff_t>(start),
                           doc->objects().end());
        }
    }
    void undo_command() override {
        if (housekeeping::Document* doc = documentOf(m_init.document)) {
            for (housekeeping::Document::ObjectPtr const& object : m_added) {
                doc->remove_object(object);
            }
        }
    }
    void remember() override {}
    void rollback() override {}
    void finished(bool) override {}
    QString summary() override { return m_summary; }
    import::AbstractFileReader::ImportState import_state() override { return m_state;
}

private : boost::shared_ptr<housekeeping::DataSource>
              m_source;
boost::shared_ptr<import::AbstractFileReader> m_reader;
InsertInit m_init{};
bool m_done_once = false;
std::vector<housekeeping::Document::ObjectPtr> m_added;
QString m_summary;
import::AbstractFileReader::ImportState m_state = import::AbstractFileReader::IMPORT_FAILED;
}; // namespace test

// The documents announced as changed, as another library subscribed to the messages sees them.
class ChangeRecorder : public QObject {
    Q_OBJECT
public:
    ChangeRecorder() { housekeeping::DocumentMessage::subscribe(this); }
    ~ChangeRecorder() override { housekeeping::DocumentMessage::unsubscribe(this); }
    std::vector<housekeeping::DocumentId> changed;

public slots:
    void handle_message(housekeeping::DocumentMessage& p_message) {
        if (p_message.doc_change_type() == housekeeping::DocumentMessage::ContentChanged) {
            changed.push_back(p_message.id());
        }
    }
};

template <class Sheet>
Sheet* sheetOf(import::QImportWizard& wizard) {
    for (brkBase::AbstractSheet* sheet : wizard.sheets()) {
        if (auto* found = dynamic_cast<Sheet*>(sheet)) {
            return found;
        }
    }
    return nullptr;
}

// Writes a test file into the scratch folder and returns its path.
inline QString writeTestFile(QString const& name, QString const& content) {
    QString const path = QDir(scratchDirectory()).filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) << path;
    file.write(content.toUtf8());
    return path;
}

// What a user saw of one run of a wizard.
struct WizardOutcome {
    bool reached_summary = false;
    QString summary; // the summary sheet's text, when the summary came up
    QString log;     // the loader's log as shown
    QString window_title;
    QStringList boxes; // the message boxes seen on the way
};

// A user's step: its action runs once, as soon as its condition holds.
using Step = std::pair<std::function<bool()>, std::function<void()>>;

// Runs the wizard modally, as a user would, acting from the event loop without ever blocking it (a
// reader that polls the cancel hook runs the event loop from inside the load): the `steps` act,
// message boxes are answered with OK, and once the summary is up the user reads it and presses
// Close. Steps left after the time-out close the wizard, so that the test fails, not hangs.
inline WizardOutcome runWizard(import::QImportWizard& wizard, int boxes = 0,
                               std::vector<Step> steps = {}) {
    WizardOutcome outcome;
    ModalDialogHelper helper;
    for (int i = 0; i <= boxes; ++i) { // the wizard itself is one of the modal dialogs
        helper.expect([](QWidget* dialog) {
            if (auto* box = qobject_cast<QMessageBox*>(dialog)) {
                box->button(QMessageBox::Ok)->click();
            }
        });
    }
    import::QImportWizardSummarySheet* summary = nullptr; // made once the wizard runs
    steps.emplace_back(
        [&] {
            summary = sheetOf<import::QImportWizardSummarySheet>(wizard);
            return wizard.isVisible() && wizard.is_close_button_mode() && summary != nullptr &&
                   wizard.currentSheet() == summary;
        },
        [&] {
            outcome.reached_summary = true;
            outcome.summary = summary->text();
            wizard.cancelButton()->click();
        });
    QTimer timer;
    QElapsedTimer clock;
    clock.start();
    bool busy = false;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (std::exchange(busy, true)) {
            return;
        }
        for (auto it = steps.begin(); it != steps.end(); ++it) {
            if (it->first()) {
                std::function<void()> const action = std::move(it->second);
                steps.erase(it);
                action();
                break;
            }
        }
        if (!steps.empty() && clock.elapsed() > 30000) {
            ADD_FAILURE() << "the wizard timed out with " << steps.size() << " step(s) left";
            steps.clear();
            wizard.close();
        }
        busy = false;
    });
    timer.start(5);
    EXPECT_EQ(wizard.exec(), QDialog::Rejected);
    if (auto* loader = sheetOf<import::QImportWizardDefaultLoaderSheet>(wizard)) {
        outcome.log = loader->findChild<QTextBrowser*>()->toPlainText();
    }
    outcome.window_title = wizard.windowTitle();
    outcome.boxes = helper.messageBoxes();
    EXPECT_TRUE(helper.unexpected().isEmpty());
    return outcome;
}

// A wizard that reads all files with one reader, inserting with or without an undo command.
class SingleBuilderWizard : public import::QImportWizard {
public:
    explicit SingleBuilderWizard(std::string const& key, bool no_undo = false)
        : QImportWizard(key, nullptr, Qt::WindowFlags())
        , m_no_undo(no_undo) {}
    bool useSingleBuilder() override { return true; }
    bool doNotUseInsertUndo() override { return m_no_undo; }

private:
    bool m_no_undo;
};

// Every test starts without documents, journals, stored summary choices or manager flags.
class WizardFixture : public ::testing::Test {
protected:
    void SetUp() override { reset(); }
    void TearDown() override { documents().destroy_all(); }
    static void reset() {
        documents().destroy_all();
        readerJournal().clear();
        insertInits().clear();
        housekeeping::ErrorProtocol::instance().clear();
        QSettings().remove(QStringLiteral("qimportwizard"));
        import::ImportManager::instance().inserting_state(false);
        import::ImportManager::instance().insert_on_section(false);
    }
    static housekeeping::DocumentManager& documents() {
        return housekeeping::DocumentManager::instance();
    }
    // A document that already holds one object.
    static housekeeping::DocumentId documentWithAnObject() {
        housekeeping::DocumentId const id = documents().create_document();
        documentOf(id)->add_object(boost::make_shared<model::PointSet>());
        return id;
    }
};

} // namespace quarro
} // namespace quarro

#endif // QUARRO_TESTS_IMPORT_WIZARD_WIZARDTESTKIT_H
