#ifndef QUARRO_IMPORT_INSERTCOMMAND_H
#define QUARRO_IMPORT_INSERTCOMMAND_H

#include "AbstractFileReader.h"
#include "QuarroImportExport.h"
#include "housekeeping/AbstractCommand.h"
#include "housekeeping/DocumentId.h"

#include <QString>
#include <QtGlobal>
#include <boost/shared_ptr.hpp>

#include <string>

namespace brkBase {
class AbstractProgress;
}

namespace quarro {
namespace housekeeping {
class DataSource;
}

namespace import {

class AbstractInsertCommandImplementation;

// The undoable command that puts a data source into a document. The command only names itself
// and forwards: what it does is the business of the implementation registered under
// "InsertCommandImplementation" with AbstractInsertCommandImplementationFactory, so that the
// library that knows the data decides how it enters a document and how it leaves it again.
//
// Copies share the implementation: undoing a copy undoes the original's work.
class QUARRO_IMPORT_EXPORT InsertCommand : public housekeeping::AbstractCommand {
public:
    // Named after the source's file ("Insert" without a source). Makes the implementation and
    // hands it everything once; a factory or init() exception leaves the constructor.
    InsertCommand(boost::shared_ptr<housekeeping::DataSource> source,
                  housekeeping::DocumentId const& document, bool importing, bool inserting,
                  brkBase::AbstractProgress* progress);
    InsertCommand(InsertCommand const& other);
    InsertCommand& operator=(InsertCommand const& other);
    ~InsertCommand() override;

    void rollback() override;
    void remember() override;
    void do_command() override;
    void undo_command() override;
    void finished(bool ok) override;
    // Only an import that succeeded changed the document.
    bool keep_in_history() const override;

    // The implementation's HTML summary of what it inserted.
    QString summary() const;
    AbstractFileReader::ImportState import_state() const;

protected:
    // For subclasses that make their own implementation (or none, and then override every
    // command operation themselves).
    InsertCommand(housekeeping::DocumentId const& document, std::string const& description);

    // The file name of the source's key URL, the name an insert shows in the undo history.
    static std::string description_of(housekeeping::DataSource const& source);

    boost::shared_ptr<AbstractInsertCommandImplementation> m_implementation;

private:
    // Reports a command run without an implementation; true when there is one.
    bool has_implementation(char const* function) const;
};

} // namespace import
} // namespace quarro

#endif // QUARRO_IMPORT_INSERTCOMMAND_H
