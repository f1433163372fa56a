// Registers the GRDECL reader under the key "GRDECL" when the application loads this plugin.
#include "AbstractFileReaderFactory.h"
#include "ConcreteProductFactory.h"
#include "GrdeclReader.h"

namespace {
quarro::import::ConcreteProductFactory<quarro::import::AbstractFileReaderFactory,
                                       quarro::readers::GrdeclReader>
    s_factory("GRDECL");
} // namespace
