#include "AbstractInsertCommandImplementation.h"

namespace quarro {
namespace import {

void AbstractInsertCommandImplementation::init(boost::shared_ptr<housekeeping::DataSource>,
                                               boost::shared_ptr<AbstractFileReader>,
                                               housekeeping::DocumentId const&, bool, bool,
                                               InsertCommand const*, brkBase::AbstractProgress*) {}

void AbstractInsertCommandImplementation::init(boost::shared_ptr<housekeeping::DataSource>,
                                               housekeeping::DocumentId const&, bool, bool,
                                               InsertCommand const*, brkBase::AbstractProgress*) {}

AbstractInsertCommandImplementation::~AbstractInsertCommandImplementation() = default;

} // namespace import
} // namespace quarro
