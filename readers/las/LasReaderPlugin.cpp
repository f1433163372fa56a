// Registers the LAS reader under the key "WELLS" when the application loads this plugin.
#include "AbstractFileReaderFactory.h"
#include "ConcreteProductFactory.h"
#include "LasReader.h"

namespace {
quarro::import::ConcreteProductFactory<quarro::import::AbstractFileReaderFactory,
                                       quarro::readers::LasReader>
    s_factory("WELLS");
} // namespace
