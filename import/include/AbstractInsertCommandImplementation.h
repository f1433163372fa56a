#ifndef QUARRO_IMPORT_ABSTRACTINSERTCOMMANDIMPLEMENTATION_H
#define QUARRO_IMPORT_ABSTRACTINSERTCOMMANDIMPLEMENTATION_H

#include "AbstractFileReader.h"
#include "QuarroImportExport.h"

#include <QString>
#include <boost/shared_ptr.hpp>

namespace brkBase {
class AbstractProgress;
}

namespace quarro {
namespace housekeeping {
class DataSource;
class DocumentId;
} // namespace housekeeping

namespace import {

class InsertCommand;

// What an insert command does. The command classes only forward: a library registers an
// implementation by key with AbstractInsertCommandImplementationFactory, the command makes it,
// hands it everything once through init() and passes every command operation on to it.
class QUARRO_IMPORT_EXPORT AbstractInsertCommandImplementation {
public:
    AbstractInsertCommandImplementation() = default;

    // `command` is the owning command (not owned); `progress` is the caller's and may be null.
    virtual void init(boost::shared_ptr<housekeeping::DataSource> source,
                      boost::shared_ptr<AbstractFileReader> reader,
                      housekeeping::DocumentId const& document, bool importing, bool inserting,
                      InsertCommand const* command, brkBase::AbstractProgress* progress);
    virtual void init(boost::shared_ptr<housekeeping::DataSource> source,
                      housekeeping::DocumentId const& document, bool importing, bool inserting,
                      InsertCommand const* command, brkBase::AbstractProgress* progress);
    virtual ~AbstractInsertCommandImplementation();

    virtual void do_command() = 0;
    virtual void undo_command() = 0;
    virtual void remember() = 0;
    virtual void rollback() = 0;
    virtual void finished(bool ok) = 0;
    virtual QString summary() = 0;
    virtual AbstractFileReader::ImportState import_state() = 0;

private:
    Q_DISABLE_COPY(AbstractInsertCommandImplementation)
};

} // namespace import
} // namespace quarro

#endif // QUARRO_IMPORT_ABSTRACTINSERTCOMMANDIMPLEMENTATION_H
