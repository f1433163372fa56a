#ifndef QUARRO_TESTS_IMPORT_WIZARD_WIZARDTESTKIT_H
#define QUARRO_TESTS_IMPORT_WIZARD_WIZARDTESTKIT_H

#include "ImportManager.h"
#include "ModalDialogHelper.h"
#include "QImportWizard.h"
#include "QImportWizardDefaultLoaderSheet.h"
#include "QImportWizardSummarySheet.h"
#include "RecordingInsertImplementation.h"
#include "ScriptedReader.h"
#include "TestApplication.h"
#include "housekeeping/DocumentId.h"
#include "housekeeping/DocumentManager.h"
#include "housekeeping/DocumentMessage.h"
#include "housekeeping/ErrorProtocol.h"

#include <QAbstractButton>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMessageBox>
#include <QObject>
#include <QPushButton>
#include <QSettings>
#include <QString>
#include <QTextBrowser>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <utility>
#include <vector>

// Readable failure messages for texts.
inline void PrintTo(QString const& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace quarro {
namespace test {

// Acts on a running wizard from the event loop, as a user would, without ever blocking it (a
// reader that polls the cancel hook runs the event loop from inside the load). Each step acts
// once, as soon as its condition holds. Should the steps not all have run after the time-out, the
// wizard is closed so that the test fails instead of hanging.
class WizardScript : public QObject {
public:
    explicit WizardScript(QWidget* wizard, int timeout_ms = 30000)
        : m_wizard(wizard)
        , m_timeout_ms(timeout_ms) {
        m_clock.start();
        m_timer.setInterval(5);
        connect(&m_timer, &QTimer::timeout, this, &WizardScript::poll);
        m_timer.start();
    }

    WizardScript& when(std::function<bool()> condition, std::function<void()> action) {
        m_steps.emplace_back(std::move(condition), std::move(action));
        return *this;
    }

    bool allDone() const { return m_steps.empty(); }

private:
    void poll() {
        if (m_busy) {
            return;
        }
        m_busy = true;
        for (auto it = m_steps.begin(); it != m_steps.end();) {
            if (!it->first()) {
                ++it;
                continue;
            }
            std::function<void()> const action = std::move(it->second);
            it = m_steps.erase(it);
            action();
            break;
        }
        if (!m_steps.empty() && m_clock.elapsed() > m_timeout_ms && !m_timed_out) {
            m_timed_out = true;
            ADD_FAILURE() << "the wizard script timed out with " << m_steps.size()
                          << " step(s) left";
            m_wizard->close();
        }
        m_busy = false;
    }

    QWidget* m_wizard;
    int m_timeout_ms;
    std::vector<std::pair<std::function<bool()>, std::function<void()>>> m_steps;
    QTimer m_timer;
    QElapsedTimer m_clock;
    bool m_busy = false;
    bool m_timed_out = false;
};

// Records the document messages that arrive, as another library subscribed to them would.
class DocumentMessageRecorder : public QObject {
    Q_OBJECT
public:
    DocumentMessageRecorder() { housekeeping::DocumentMessage::subscribe(this); }
    ~DocumentMessageRecorder() override { housekeeping::DocumentMessage::unsubscribe(this); }

    // How many messages of `type` named `id`.
    int count(housekeeping::DocumentId const& id, int type) const {
        int n = 0;
        for (auto const& message : m_messages) {
            n += message.first == id && message.second == type ? 1 : 0;
        }
        return n;
    }
    int countType(int type) const {
        int n = 0;
        for (auto const& message : m_messages) {
            n += message.second == type ? 1 : 0;
        }
        return n;
    }

public slots:
    void handle_message(housekeeping::DocumentMessage& p_message) {
        m_messages.emplace_back(p_message.id(), p_message.doc_change_type());
    }

private:
    std::vector<std::pair<housekeeping::DocumentId, int>> m_messages;
};

inline import::QImportWizardSummarySheet* summarySheetOf(import::QImportWizard& wizard) {
    for (brkBase::AbstractSheet* sheet : wizard.sheets()) {
        if (auto* summary = dynamic_cast<import::QImportWizardSummarySheet*>(sheet)) {
            return summary;
        }
    }
    return nullptr;
}

inline QTextBrowser* loaderBrowserOf(import::QImportWizard& wizard) {
    for (brkBase::AbstractSheet* sheet : wizard.sheets()) {
        if (auto* loader = dynamic_cast<import::QImportWizardDefaultLoaderSheet*>(sheet)) {
            return loader->findChild<QTextBrowser*>();
        }
    }
    return nullptr;
}

// Writes a test file into the scratch folder and returns its path.
inline QString writeTestFile(QString const& name, QString const& content) {
    QString const path = QDir(scratchDirectory()).filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
        ADD_FAILURE() << "cannot write " << path.toStdString();
        return path;
    }
    file.write(content.toUtf8());
    return path;
}

// What a user saw of one run of a wizard.
struct WizardOutcome {
    int exec_result = -1;
    bool reached_summary = false;
    // The summary sheet's text and what its browser showed, when the summary came up.
    QString summary;
    QString summary_shown;
    // The loader's log as shown (plain text).
    QString log;
    QString window_title;
};

// Queues an answer for every modal dialog that `wizard` will bring up, itself included: message
// boxes are answered with OK, the wizard is left to `script`. Which comes first does not matter.
inline void expectWizardAndBoxes(ModalDialogHelper& helper, int boxes) {
    for (int i = 0; i <= boxes; ++i) {
        helper.expect([](QWidget* dialog) {
            if (auto* box = qobject_cast<QMessageBox*>(dialog)) {
                box->button(QMessageBox::Ok)->click();
            }
        });
    }
}

// Runs the wizard modally: the steps of `script` act while it works; once the summary is up the
// user reads it and presses Close. `boxes` message boxes are expected on the way.
inline WizardOutcome runWizard(import::QImportWizard& wizard, WizardScript& script,
                               ModalDialogHelper& helper, int boxes = 0) {
    WizardOutcome outcome;
    expectWizardAndBoxes(helper, boxes);
    script.when(
        [&wizard] {
            return wizard.isVisible() && wizard.is_close_button_mode() &&
                   wizard.currentSheet() == summarySheetOf(wizard);
        },
        [&wizard, &outcome] {
            outcome.reached_summary = true;
            outcome.summary = summarySheetOf(wizard)->text();
            outcome.summary_shown =
                summarySheetOf(wizard)->findChild<QTextBrowser*>()->toPlainText();
            wizard.cancelButton()->click();
        });
    outcome.exec_result = wizard.exec();
    if (QTextBrowser* log = loaderBrowserOf(wizard)) {
        outcome.log = log->toPlainText();
    }
    outcome.window_title = wizard.windowTitle();
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
    void SetUp() override {
        housekeeping::DocumentManager::instance().destroy_all();
        readerJournal().clear();
        insertJournal().clear();
        housekeeping::ErrorProtocol::instance().clear();
        QSettings().remove(QStringLiteral("qimportwizard"));
        import::ImportManager::instance().inserting_state(false);
        import::ImportManager::instance().insert_on_section(false);
    }
    void TearDown() override { housekeeping::DocumentManager::instance().destroy_all(); }

    static housekeeping::DocumentManager& documents() {
        return housekeeping::DocumentManager::instance();
    }
    static housekeeping::Document* document(housekeeping::DocumentId const& id) {
        return dynamic_cast<housekeeping::Document*>(documents().document_from_id(id));
    }
};

} // namespace test
} // namespace quarro

#endif // QUARRO_TESTS_IMPORT_WIZARD_WIZARDTESTKIT_H
