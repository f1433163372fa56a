#include "housekeeping/CommandUndoAdapter.h"

#include "housekeeping/AbstractCommand.h"
#include "housekeeping/ErrorProtocol.h"
#include "utilities/Exception.h"

#include <exception>
#include <utility>

namespace quarro {
namespace housekeeping {

namespace {
// Every adapter shares one merge id so that Qt offers each new command to the one below it.
constexpr int merge_id = 0x51524f;
} // namespace

CommandUndoAdapter::CommandUndoAdapter(boost::shared_ptr<AbstractCommand> command)
    : m_command(std::move(command)) {
    setText(QString::fromStdString(m_command->description()));
}

CommandUndoAdapter::~CommandUndoAdapter() = default;

void CommandUndoAdapter::undo() {
    run_guarded("undo", [this] { m_command->undo_command(); });
}

void CommandUndoAdapter::redo() {
    if (m_recorded_after_run) {
        m_recorded_after_run = false;
        return;
    }
    run_guarded("redo", [this] { m_command->do_command(); });
}

int CommandUndoAdapter::id() const {
    return merge_id;
}

bool CommandUndoAdapter::mergeWith(QUndoCommand const* other) {
    auto const* adapter = dynamic_cast<CommandUndoAdapter const*>(other);
    if (adapter == nullptr || !m_command->stackWith(adapter->m_command)) {
        return false;
    }
    setText(QString::fromStdString(m_command->description()));
    return true;
}

template <typename Step>
void CommandUndoAdapter::run_guarded(char const* what, Step step) {
    try {
        step();
        return;
    } catch (quarro::Exception& e) {
        e.caught_here("host/housekeeping/CommandUndoAdapter", __LINE__);
    } catch (std::exception const& e) {
        ErrorProtocol::instance().log_message(std::string("Exception: ") + e.what());
    } catch (...) {
        ErrorProtocol::instance().log_message("Unknown exception");
    }
    ErrorProtocol::instance().log_message(std::string("The command '") + m_command->description() +
                                          "' failed to " + what +
                                          " and is dropped from the history");
    try {
        m_command->rollback();
    } catch (...) {
        ErrorProtocol::instance().log_message("Rolling back '" + m_command->description() +
                                              "' failed as well");
    }
    setObsolete(true);
}

} // namespace housekeeping
} // namespace quarro
