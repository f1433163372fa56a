#ifndef QUARRO_HOUSEKEEPING_COMMANDMANAGER_H
#define QUARRO_HOUSEKEEPING_COMMANDMANAGER_H

#include "QuarroHostExport.h"

#include <QUndoGroup>
#include <QtGlobal>

#include <boost/shared_ptr.hpp>

namespace quarro {
namespace housekeeping {

class AbstractCommand;

// Runs commands and records them for undo. Every document has its own QUndoStack; the manager
// keeps them in one QUndoGroup whose active stack follows the current document, so the
// application's Edit > Undo and Redo come from QUndoGroup::createUndoAction/createRedoAction.
// GUI thread only.
class QUARRO_HOST_EXPORT CommandManager {
public:
    static CommandManager& instance();

    // execute true: command->remember(), command->do_command(), command->finished(true), then the
    // command is recorded on its document's undo stack (which marks the document modified). When
    // do_command() throws, rollback() and finished(false) are called, nothing is recorded and the
    // exception is rethrown.
    // execute false: the command has already been carried out; it is only recorded.
    // A command for a document that does not exist, or one whose keep_in_history() is false after
    // it ran, is not recorded. A null command is
    // logged and ignored.
    void insert(boost::shared_ptr<AbstractCommand> command, bool execute);

    // Undo and redo on the current document.
    void undo();
    void redo();
    bool can_undo() const;
    bool can_redo() const;

    QUndoGroup* undo_group() { return &m_group; }

private:
    CommandManager();
    Q_DISABLE_COPY(CommandManager)

    void follow_current_document();

    QUndoGroup m_group;
};

} // namespace housekeeping
} // namespace quarro

#endif // QUARRO_HOUSEKEEPING_COMMANDMANAGER_H
