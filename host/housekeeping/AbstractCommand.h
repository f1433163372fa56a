#ifndef QUARRO_HOUSEKEEPING_ABSTRACTCOMMAND_H
#define QUARRO_HOUSEKEEPING_ABSTRACTCOMMAND_H

#include "QuarroHostExport.h"
#include "housekeeping/DocumentId.h"

#include <QtGlobal>

#include <boost/shared_ptr.hpp>

#include <string>

namespace quarro {
namespace housekeeping {

// An undoable change of one document. The command manager runs it (remember(), do_command(),
// finished(true)) and records it on the document's undo stack; undo and redo then call
// undo_command() and do_command(). When do_command() throws, the manager calls rollback() and
// finished(false) and records nothing; nor does it record a command that says it is not worth
// keeping.
//
// The order of the virtual operations is part of the host's interface.
class QUARRO_HOST_EXPORT AbstractCommand {
public:
    virtual ~AbstractCommand();

    // The number of geological objects the command touched; what rememberGeo() was told, else 0.
    virtual quint64 size() const;
    virtual void rememberGeo(quint64 count);
    // Undoes whatever a failed do_command() left behind; does nothing by default.
    virtual void rollback();
    // Asked when this command is on top of the stack and other is recorded after it: true when
    // this command took other's change into itself (other is then dropped). False by default.
    virtual bool stackWith(boost::shared_ptr<AbstractCommand> other);
    // Takes note of the state that do_command() changes; does nothing by default.
    virtual void remember();
    virtual void do_command() = 0;
    virtual void undo_command() = 0;
    // The run ended, successfully or not; does nothing by default.
    virtual void finished(bool ok);
    // Asked after a run: false when the run changed nothing worth undoing (an import that failed
    // or was cancelled), so that the command manager leaves it out of the history. True by
    // default.
    virtual bool keep_in_history() const;

    DocumentId const& document() const { return m_document; }
    std::string const& description() const { return m_description; }
    void setDescription(std::string description);
    // True for commands that put imported data into a document.
    bool from_import() const { return m_from_import; }

protected:
    AbstractCommand(DocumentId const& document, std::string const& description);
    AbstractCommand(AbstractCommand const& other);
    AbstractCommand& operator=(AbstractCommand const& other);

    bool m_from_import = false;

private:
    DocumentId m_document;
    std::string m_description;
    quint64 m_geo_count = 0;
};

} // namespace housekeeping
} // namespace quarro

#endif // QUARRO_HOUSEKEEPING_ABSTRACTCOMMAND_H
