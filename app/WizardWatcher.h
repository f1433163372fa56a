#ifndef QUARRO_APP_WIZARDWATCHER_H
#define QUARRO_APP_WIZARDWATCHER_H

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <string>
#include <vector>

class QEvent;
class QMessageBox;

namespace quarro {
namespace import {
class QImportWizard;
}

namespace app {

// Watches the import wizards that the import manager runs and keeps each one's summary. In
// answering mode it also stands in for the user, so that an import can run without anybody at
// the screen (the headless import, the screenshot):
//   - it makes sure the summary sheet is shown, whatever the user chose last time (and leaves that
//     choice as it was when the wizard closes);
//   - once loading has ended (the wizard is in its summary, close-button mode) it closes it;
//   - a wizard with sheets of its own before loading gets Next pressed when it sits still;
//   - message boxes get the cautious answer (No, Cancel, Abort, Ok, else the first button), and
//     their texts are kept.
// A wizard that sits still without loading for idle_limit_ms is closed, so that nothing hangs.
//
// Installed as an event filter of the application for its lifetime.
class WizardWatcher : public QObject {
    Q_OBJECT
public:
    // One wizard that closed: its importer key and its summary as the summary sheet holds it.
    struct Run {
        std::string key;
        QString summary_html;
    };

    explicit WizardWatcher(bool answer, QObject* parent = nullptr);
    ~WizardWatcher() override;

    // The wizards that closed since the last call, in order.
    std::vector<Run> take_runs();
    // "title: text" of each message box answered since the last call.
    QStringList take_messages();

    void set_idle_limit_ms(int limit) { m_idle_limit_ms = limit; }
    // Answering, also press the wizard's Journal button before closing its summary, so that the
    // document keeps the summary in its journal.
    void set_keep_journal(bool keep) { m_keep_journal = keep; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Q_DISABLE_COPY(WizardWatcher)

    struct Watched {
        QPointer<import::QImportWizard> wizard;
        // The summary was off in the settings; it is put back when the wizard closes.
        bool summary_forced = false;
        bool closing = false;
        int idle_polls = 0;
        void const* last_sheet = nullptr;
    };

    void poll();
    void answer(QMessageBox* box);
    void wizard_closing(import::QImportWizard* wizard);
    Watched* find(import::QImportWizard const* wizard);

    bool m_answer;
    bool m_keep_journal = false;
    int m_idle_limit_ms = 60000;
    std::vector<Watched> m_watched;
    std::vector<Run> m_runs;
    QStringList m_messages;
    QList<QPointer<QMessageBox>> m_boxes;
    QTimer m_timer;
};

} // namespace app
} // namespace quarro

#endif // QUARRO_APP_WIZARDWATCHER_H
