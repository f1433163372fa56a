// Registers the DXF reader under its key when the application loads this plugin.
#include "AbstractFileReaderFactory.h"
#include "DxfReader.h"
#include "ProductRegistration.h"

namespace {
quarro::import::ProductRegistration<quarro::import::AbstractFileReaderFactory,
                                    quarro::readers::DxfReader>
    s_factory("DXF");
} // namespace
