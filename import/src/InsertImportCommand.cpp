#include "InsertImportCommand.h"

#include "AbstractInsertCommandImplementation.h"
#include "AbstractInsertCommandImplementationFactory.h"
#include "housekeeping/DataSource.h"

namespace quarro {
namespace import {

InsertImportCommand::InsertImportCommand(boost::shared_ptr<housekeeping::DataSource> source,
                                         boost::shared_ptr<AbstractFileReader> reader,
                                         housekeeping::DocumentId const& document, bool importing,
                                         bool inserting, brkBase::AbstractProgress* progress)
    : InsertCommand(document, reader_description(reader.get())) {
    // The file's name says more in the undo history than the kind of data.
    if (source) {
        setDescription(description_of(*source));
    }
    m_implementation = AbstractInsertCommandImplementationFactory::create("INQuarro");
    m_implementation->init(source, reader, document, importing, inserting, this, progress);
    m_from_import = true;
}

InsertImportCommand::InsertImportCommand(InsertImportCommand const& other) = default;

InsertImportCommand& InsertImportCommand::operator=(InsertImportCommand const& other) = default;

InsertImportCommand::~InsertImportCommand() = default;

std::string InsertImportCommand::reader_description(AbstractFileReader* reader) {
    if (reader == nullptr) {
        return "Insert";
    }
    return "Insert " + reader->data_type() + " Data";
}

} // namespace import
} // namespace quarro
