#ifndef QUARRO_TESTS_HOST_BASE_RECORDINGWIZARD_H
#define QUARRO_TESTS_HOST_BASE_RECORDINGWIZARD_H

#include "base/AbstractSheet.h"
#include "base/Wizard.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QShowEvent>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

namespace quarro {
namespace test {

// The log outlives the wizard: sheets are deleted by the frame after the subclass part is gone.
using EventLog = std::shared_ptr<QStringList>;

// A sheet that writes every call of the frame into the log, with a label as its page.
class RecordingSheet : public brkBase::AbstractSheet {
public:
    RecordingSheet(brkBase::Wizard* wizard, QString const& name, EventLog log)
        : AbstractSheet(wizard)
        , m_wizard(wizard)
        , m_name(name)
        , m_log(std::move(log)) {
        auto* page = new QLabel(QStringLiteral("Page of sheet ") + name);
        page->setWindowTitle(QStringLiteral("Sheet ") + name);
        setWidget(page);
    }
    ~RecordingSheet() override {
        note(QStringLiteral("delete"));
        // A page handed back by remove_sheet belongs to nobody but its sheet.
        if (widget() != nullptr && widget()->parent() == nullptr) {
            delete widget();
        }
    }

    void startup() override { note(QStringLiteral("startup")); }
    void shutdown() override { note(QStringLiteral("shutdown")); }
    void resume() override { note(QStringLiteral("resume")); }
    void suspend() override { note(QStringLiteral("suspend")); }
    void activate() override {
        note(QStringLiteral("activate"));
        m_visible_at_activation = m_wizard->isVisible();
    }
    void deactivate() override { note(QStringLiteral("deactivate")); }
    void restart() override { note(QStringLiteral("restart")); }
    bool isComplete() const override { return m_complete; }
    bool isAvailable() const override { return m_available; }

    bool m_complete = true;
    bool m_available = true;
    bool m_visible_at_activation = false;

private:
    void note(QString const& what) { *m_log << what + QLatin1Char(':') + m_name; }

    brkBase::Wizard* m_wizard;
    QString m_name;
    EventLog m_log;
};

// A wizard frame with the named sheets, recording the frame's start-up and close steps.
class RecordingWizard : public brkBase::Wizard {
public:
    RecordingWizard(QStringList const& sheet_names, EventLog log, bool ask_question = true)
        : Wizard(nullptr, Qt::WindowFlags())
        , m_sheet_names(sheet_names)
        , m_ask_question(ask_question)
        , m_log(std::move(log)) {}

    RecordingSheet* sheet(int index) const {
        return index < static_cast<int>(m_made.size()) ? m_made[index] : nullptr;
    }

    int m_journal_clicks = 0;
    // Makes closeEvent refuse, as a subclass with unsaved work might.
    bool m_refuse_close = false;

protected:
    void startup() override {
        *m_log << QStringLiteral("startup:begin");
        Wizard::startup();
        *m_log << QStringLiteral("startup:end");
    }

    void populate_sheets() override {
        *m_log << QStringLiteral("populate");
        for (QString const& name : m_sheet_names) {
            m_made.push_back(new RecordingSheet(this, name, m_log));
            add_sheet(m_made.back());
        }
    }

    void setupQuestionCheck() override {
        bool const made = m_question_check != nullptr && m_question_check->parent() == this;
        *m_log << (made ? QStringLiteral("question:made") : QStringLiteral("question:missing"));
        if (made && m_ask_question) {
            m_question_check->setText(QStringLiteral("Show import summary"));
            m_question_check->setChecked(true);
            m_question_check->show();
        }
    }

    void journalButtonClicked() override { ++m_journal_clicks; }

    void closeEvent(QCloseEvent* event) override {
        *m_log << QStringLiteral("closeEvent");
        if (m_refuse_close) {
            event->ignore();
            return;
        }
        Wizard::closeEvent(event);
    }

private:
    QStringList m_sheet_names;
    bool m_ask_question;
    EventLog m_log;
    std::vector<RecordingSheet*> m_made;
};

} // namespace test
} // namespace quarro

#endif // QUARRO_TESTS_HOST_BASE_RECORDINGWIZARD_H
