#ifndef BRKBASE_WIZARDPROGRESS_H
#define BRKBASE_WIZARDPROGRESS_H

#include "QuarroHostExport.h"
#include "base/AbstractProgress.h"

#include <QString>

#include <functional>

namespace brkBase {

class Wizard;

// The progress object of a wizard frame: keeps the state like any AbstractProgress and shows every
// change in the frame's progress area through the frame's progress_*_impl operations. Changes
// reported from another thread reach the frame through its event loop, since widgets may only be
// touched on their own thread.
class QUARRO_HOST_EXPORT WizardProgress : public AbstractProgress {
public:
    explicit WizardProgress(Wizard* wizard);
    ~WizardProgress() override;

    void set_caption(QString const& caption) override;
    void set_value(int value) override;
    void start(bool determinate) override;
    void finish() override;
    void set_determinate(bool determinate) override;
    void pause() override;

    // The user's Cancel: cancels the work while it runs and does nothing otherwise, so that a
    // cancellation asked for between two pieces of work does not stop the next one.
    void cancel_progress();

    Wizard* wizard() const { return m_wizard; }

private:
    Q_DISABLE_COPY(WizardProgress)

    void show_in_frame(std::function<void(Wizard&)> hook) const;

    Wizard* m_wizard;
};

} // namespace brkBase

#endif // BRKBASE_WIZARDPROGRESS_H
