#include "housekeeping/CommandManager.h"

#include "housekeeping/AbstractCommand.h"
#include "housekeeping/AbstractDocument.h"
#include "housekeeping/CommandUndoAdapter.h"
#include "housekeeping/DocumentManager.h"
#include "housekeeping/ErrorProtocol.h"

#include <QUndoStack>

namespace quarro {
namespace housekeeping {

CommandManager& CommandManager::instance() {
    static CommandManager manager;
    return manager;
}

CommandManager::CommandManager() {
    DocumentManager& documents = DocumentManager::instance();
    for (DocumentId const& id : documents.current_documents()) {
        m_group.addStack(documents.document_from_id(id)->undo_stack());
    }
    QObject::connect(
        &documents, &DocumentManager::documentCreated, &m_group, [this](DocumentId const& id) {
            if (AbstractDocument* document = DocumentManager::instance().document_from_id(id)) {
                m_group.addStack(document->undo_stack());
            }
        });
    QObject::connect(&documents, &DocumentManager::currentDocumentChanged, &m_group,
                     [this](DocumentId const&) { follow_current_document(); });
    follow_current_document();
}

void CommandManager::insert(boost::shared_ptr<AbstractCommand> command, bool execute) {
    if (!command) {
        ErrorProtocol::instance().log_assert("command", Q_FUNC_INFO,
                                             "host/housekeeping/CommandManager", __LINE__);
        return;
    }
    if (execute) {
        command->remember();
        try {
            command->do_command();
        } catch (...) {
            try {
                command->rollback();
            } catch (...) {
                ErrorProtocol::instance().log_message("Rolling back '" + command->description() +
                                                      "' failed as well");
            }
            command->finished(false);
            throw;
        }
        command->finished(true);
    }
    // A run that changed nothing would leave an undo step that does nothing.
    if (!command->keep_in_history()) {
        return;
    }
    AbstractDocument* const document =
        DocumentManager::instance().document_from_id(command->document());
    if (document == nullptr) {
        return;
    }
    document->undo_stack()->push(new CommandUndoAdapter(command));
}

void CommandManager::undo() {
    m_group.undo();
}

void CommandManager::redo() {
    m_group.redo();
}

bool CommandManager::can_undo() const {
    return m_group.canUndo();
}

bool CommandManager::can_redo() const {
    return m_group.canRedo();
}

void CommandManager::follow_current_document() {
    AbstractDocument* const current = DocumentManager::instance().current_document();
    m_group.setActiveStack(current != nullptr ? current->undo_stack() : nullptr);
}

} // namespace housekeeping
} // namespace quarro
