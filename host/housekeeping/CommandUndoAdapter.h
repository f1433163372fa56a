#ifndef QUARRO_HOUSEKEEPING_COMMANDUNDOADAPTER_H
#define QUARRO_HOUSEKEEPING_COMMANDUNDOADAPTER_H

#include <QUndoCommand>

#include <boost/shared_ptr.hpp>

namespace quarro {
namespace housekeeping {

class AbstractCommand;

// Puts an AbstractCommand on a QUndoStack. The command has already run when it is recorded, so the
// first redo() that QUndoStack::push() makes is skipped; later redos run it again.
//
// Qt's undo stack is not exception-safe: a command that throws while it is undone or redone is
// logged, rolled back and dropped from the stack.
class CommandUndoAdapter : public QUndoCommand {
public:
    explicit CommandUndoAdapter(boost::shared_ptr<AbstractCommand> command);
    ~CommandUndoAdapter() override;

    void undo() override;
    void redo() override;
    int id() const override;
    bool mergeWith(QUndoCommand const* other) override;

    boost::shared_ptr<AbstractCommand> const& command() const { return m_command; }

private:
    Q_DISABLE_COPY(CommandUndoAdapter)

    template <typename Step>
    void run_guarded(char const* what, Step step);

    boost::shared_ptr<AbstractCommand> m_command;
    bool m_recorded_after_run = true;
};

} // namespace housekeeping
} // namespace quarro

#endif // QUARRO_HOUSEKEEPING_COMMANDUNDOADAPTER_H
