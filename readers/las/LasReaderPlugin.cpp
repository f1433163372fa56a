// Registers the LAS reader under the key "WELLS" when the application loads this plugin.
#include "AbstractFileReaderFactory.h"
#include "LasReader.h"
#include "ProductRegistration.h"

namespace {
quarro::import::ProductRegistration<quarro::import::AbstractFileReaderFactory,
                                    quarro::readers::LasReader>
    s_factory("WELLS");
} // namespace
