// Registers the GRDECL reader under the key "GRDECL" when the application loads this plugin.
#include "AbstractFileReaderFactory.h"
#include "GrdeclReader.h"
#include "ProductRegistration.h"

namespace {
quarro::import::ProductRegistration<quarro::import::AbstractFileReaderFactory,
                                    quarro::readers::GrdeclReader>
    s_factory("GRDECL");
} // namespace
