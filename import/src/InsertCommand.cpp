#include "InsertCommand.h"

#include "AbstractInsertCommandImplementation.h"
#include "AbstractInsertCommandImplementationFactory.h"
#include "housekeeping/DataSource.h"
#include "housekeeping/ErrorProtocol.h"
#include "utilities/UrlUtilities.h"

#include <QFileInfo>

namespace quarro {
namespace import {

namespace {
char const* const source_path = "import/src/InsertCommand";
} // namespace

InsertCommand::InsertCommand(boost::shared_ptr<housekeeping::DataSource> source,
                             housekeeping::DocumentId const& document, bool importing,
                             bool inserting, brkBase::AbstractProgress* progress)
    : AbstractCommand(document, "Insert") {
    if (source) {
        setDescription(description_of(*source));
    }
    m_implementation =
        AbstractInsertCommandImplementationFactory::create("InsertCommandImplementation");
    m_implementation->init(source, document, importing, inserting, this, progress);
}

InsertCommand::InsertCommand(housekeeping::DocumentId const& document,
                             std::string const& description)
    : AbstractCommand(document, description) {}

InsertCommand::InsertCommand(InsertCommand const& other) = default;

InsertCommand& InsertCommand::operator=(InsertCommand const& other) = default;

InsertCommand::~InsertCommand() = default;

std::string InsertCommand::description_of(housekeeping::DataSource const& source) {
    QString const path = utilities::url_to_filesystem(source.ds_key());
    return QFileInfo(path).fileName().toStdString();
}

bool InsertCommand::has_implementation(char const* function) const {
    if (m_implementation) {
        return true;
    }
    // Only a subclass built without an implementation gets here, and it should have overridden
    // the operation: refuse rather than crash.
    housekeeping::ErrorProtocol::instance().log_assert("m_implementation", function, source_path,
                                                       __LINE__);
    return false;
}

void InsertCommand::rollback() {
    if (has_implementation(Q_FUNC_INFO)) {
        m_implementation->rollback();
    }
}

void InsertCommand::remember() {
    if (has_implementation(Q_FUNC_INFO)) {
        m_implementation->remember();
    }
}

void InsertCommand::do_command() {
    if (has_implementation(Q_FUNC_INFO)) {
        m_implementation->do_command();
    }
}

void InsertCommand::undo_command() {
    if (has_implementation(Q_FUNC_INFO)) {
        m_implementation->undo_command();
    }
}

void InsertCommand::finished(bool ok) {
    if (has_implementation(Q_FUNC_INFO)) {
        m_implementation->finished(ok);
    }
}

bool InsertCommand::keep_in_history() const {
    // A subclass without an implementation does its own work and keeps the default.
    return !m_implementation || m_implementation->import_state() == AbstractFileReader::IMPORT_OK;
}

QString InsertCommand::summary() const {
    if (!has_implementation(Q_FUNC_INFO)) {
        return QString();
    }
    return m_implementation->summary();
}

AbstractFileReader::ImportState InsertCommand::import_state() const {
    if (!has_implementation(Q_FUNC_INFO)) {
        return AbstractFileReader::IMPORT_FAILED;
    }
    return m_implementation->import_state();
}

} // namespace import
} // namespace quarro
