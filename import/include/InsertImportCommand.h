#ifndef QUARRO_IMPORT_INSERTIMPORTCOMMAND_H
#define QUARRO_IMPORT_INSERTIMPORTCOMMAND_H

#include "InsertCommand.h"
#include "QuarroImportExport.h"

#include <boost/shared_ptr.hpp>

namespace quarro {
namespace import {

// The insert command of a file that a reader reads into an existing document: the loader builds
// it so that the read can be undone. Its implementation, registered under "INQuarro", is handed
// the reader as well as the source.
class QUARRO_IMPORT_EXPORT InsertImportCommand : public InsertCommand {
public:
    // Named after the source's file; without a source "Insert <data type> Data" (or "Insert"
    // without a reader either).
    InsertImportCommand(boost::shared_ptr<housekeeping::DataSource> source,
                        boost::shared_ptr<AbstractFileReader> reader,
                        housekeeping::DocumentId const& document, bool importing, bool inserting,
                        brkBase::AbstractProgress* progress);
    InsertImportCommand(InsertImportCommand const& other);
    InsertImportCommand& operator=(InsertImportCommand const& other);
    ~InsertImportCommand() override;

private:
    static std::string reader_description(AbstractFileReader* reader);
};

} // namespace import
} // namespace quarro

#endif // QUARRO_IMPORT_INSERTIMPORTCOMMAND_H
