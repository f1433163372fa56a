#include "base/WizardProgress.h"

#include "base/Wizard.h"

#include <QMetaObject>
#include <QThread>

#include <utility>

namespace brkBase {

WizardProgress::WizardProgress(Wizard* wizard)
    : m_wizard(wizard) {}

WizardProgress::~WizardProgress() = default;

void WizardProgress::set_caption(QString const& caption) {
    AbstractProgress::set_caption(caption);
    show_in_frame([caption](Wizard& w) { w.progress_caption_impl(caption); });
}

void WizardProgress::set_value(int value) {
    AbstractProgress::set_value(value);
    int const shown = AbstractProgress::value();
    show_in_frame([shown](Wizard& w) { w.progress_changed_impl(shown); });
}

void WizardProgress::start(bool determinate) {
    AbstractProgress::start(determinate);
    show_in_frame([determinate](Wizard& w) { w.progress_started_impl(determinate); });
}

void WizardProgress::finish() {
    AbstractProgress::finish();
    show_in_frame([](Wizard& w) { w.progress_finished_impl(); });
}

void WizardProgress::set_determinate(bool determinate) {
    AbstractProgress::set_determinate(determinate);
    show_in_frame([determinate](Wizard& w) { w.progress_determinate_changed_impl(determinate); });
}

void WizardProgress::pause() {
    AbstractProgress::pause();
    show_in_frame([](Wizard& w) { w.progress_paused_impl(); });
}

void WizardProgress::cancel_progress() {
    if (!is_running()) {
        return;
    }
    cancel();
}

void WizardProgress::show_in_frame(std::function<void(Wizard&)> hook) const {
    Wizard* const wizard = m_wizard;
    if (wizard == nullptr) {
        return;
    }
    if (QThread::currentThread() == wizard->thread()) {
        hook(*wizard);
        return;
    }
    // The wizard is the context object: should it be gone before the event is delivered, Qt drops
    // the call.
    QMetaObject::invokeMethod(
        wizard, [wizard, hook = std::move(hook)]() { hook(*wizard); }, Qt::QueuedConnection);
}

} // namespace brkBase
