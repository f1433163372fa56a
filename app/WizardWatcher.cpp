#include "WizardWatcher.h"

#include "QImportWizard.h"
#include "QImportWizardSummarySheet.h"
#include "base/AbstractSheet.h"
#include "base/WizardProgress.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QEvent>
#include <QMessageBox>
#include <QPushButton>

#include <algorithm>
#include <utility>

namespace quarro {
namespace app {

namespace {

int const poll_interval_ms = 50;
// How long a wizard may sit on a sheet of its own before Next is pressed for the user.
int const next_after_polls = 10;

QString summary_of(import::QImportWizard& wizard) {
    for (brkBase::AbstractSheet* const sheet : wizard.sheets()) {
        if (auto const* summary = dynamic_cast<import::QImportWizardSummarySheet const*>(sheet)) {
            return summary->text();
        }
    }
    return QString();
}

} // namespace

WizardWatcher::WizardWatcher(bool answer, QObject* parent)
    : QObject(parent)
    , m_answer(answer) {
    m_timer.setInterval(poll_interval_ms);
    connect(&m_timer, &QTimer::timeout, this, &WizardWatcher::poll);
    QCoreApplication::instance()->installEventFilter(this);
}

WizardWatcher::~WizardWatcher() {
    if (QCoreApplication* const application = QCoreApplication::instance()) {
        application->removeEventFilter(this);
    }
}

std::vector<WizardWatcher::Run> WizardWatcher::take_runs() {
    return std::exchange(m_runs, {});
}

QStringList WizardWatcher::take_messages() {
    return std::exchange(m_messages, {});
}

WizardWatcher::Watched* WizardWatcher::find(import::QImportWizard const* wizard) {
    auto const found = std::find_if(m_watched.begin(), m_watched.end(),
                                    [wizard](Watched const& w) { return w.wizard == wizard; });
    return found == m_watched.end() ? nullptr : &*found;
}

bool WizardWatcher::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShowToParent) {
        // Sent once the widget's own showEvent has run: the wizard has read its settings and
        // posted the activation of its first sheet, which has not run yet.
        if (auto* const wizard = qobject_cast<import::QImportWizard*>(watched)) {
            if (find(wizard) == nullptr) {
                Watched entry;
                entry.wizard = wizard;
                if (m_answer && !wizard->get_show_summary()) {
                    wizard->set_show_summary(true);
                    entry.summary_forced = true;
                }
                m_watched.push_back(entry);
                m_timer.start();
            }
        } else if (auto* const box = qobject_cast<QMessageBox*>(watched); box && m_answer) {
            QPointer<QMessageBox> const guarded(box);
            // From the box's own event loop, once exec() runs.
            QTimer::singleShot(0, this, [this, guarded] {
                if (guarded) {
                    answer(guarded);
                }
            });
        }
    } else if (event->type() == QEvent::Close) {
        if (auto* const wizard = qobject_cast<import::QImportWizard*>(watched)) {
            wizard_closing(wizard);
        }
    }
    return QObject::eventFilter(watched, event);
}

void WizardWatcher::wizard_closing(import::QImportWizard* wizard) {
    Watched* const entry = find(wizard);
    if (entry == nullptr || entry->closing) {
        return;
    }
    entry->closing = true;
    if (entry->summary_forced) {
        // The wizard stores the choice while it closes: it must find the user's own.
        wizard->set_show_summary(false);
    }
    m_runs.push_back(Run{wizard->import_key(), summary_of(*wizard)});
}

void WizardWatcher::answer(QMessageBox* box) {
    m_messages << QStringLiteral("%1: %2").arg(box->windowTitle(), box->text());
    for (QMessageBox::StandardButton const cautious :
         {QMessageBox::No, QMessageBox::Cancel, QMessageBox::Abort, QMessageBox::Ok}) {
        if (QAbstractButton* const button = box->button(cautious)) {
            button->click();
            return;
        }
    }
    QList<QAbstractButton*> const buttons = box->buttons();
    if (!buttons.isEmpty()) {
        buttons.front()->click();
        return;
    }
    box->reject();
}

void WizardWatcher::poll() {
    m_watched.erase(std::remove_if(m_watched.begin(), m_watched.end(),
                                   [](Watched const& w) { return w.wizard.isNull(); }),
                    m_watched.end());
    if (m_watched.empty()) {
        m_timer.stop();
        return;
    }
    if (!m_answer) {
        return;
    }
    // Closing a wizard runs code that may change the list: work on indices, one wizard a round.
    for (std::size_t i = 0; i < m_watched.size(); ++i) {
        Watched& entry = m_watched[i];
        import::QImportWizard* const wizard = entry.wizard;
        if (wizard == nullptr || entry.closing || !wizard->isVisible()) {
            continue;
        }
        if (wizard->is_close_button_mode()) {
            // Loading has ended and the summary is up.
            if (m_keep_journal && wizard->journalButton() != nullptr &&
                wizard->journalButton()->isEnabled()) {
                wizard->journalButton()->click();
            }
            wizard->close();
            return;
        }
        if (wizard->get_progress()->is_running() || wizard->currentSheet() == nullptr) {
            entry.idle_polls = 0;
            continue;
        }
        if (wizard->currentSheet() != entry.last_sheet) {
            entry.last_sheet = wizard->currentSheet();
            entry.idle_polls = 0;
            continue;
        }
        ++entry.idle_polls;
        QPushButton* const next = wizard->nextButton();
        if (entry.idle_polls % next_after_polls == 0 && next != nullptr && next->isVisible() &&
            next->isEnabled()) {
            next->click();
            return;
        }
        if (entry.idle_polls * poll_interval_ms >= m_idle_limit_ms) {
            m_messages << QStringLiteral("%1: the import wizard waited for an answer that nobody "
                                         "could give, and was closed")
                              .arg(wizard->windowTitle());
            wizard->close();
            return;
        }
    }
}

} // namespace app
} // namespace quarro
