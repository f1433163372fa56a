// Registers the GDAL reader under the key "GDAL" when the application loads this plugin.
#include "AbstractFileReaderFactory.h"
#include "GdalReader.h"
#include "ProductRegistration.h"

namespace {
quarro::import::ProductRegistration<quarro::import::AbstractFileReaderFactory,
                                    quarro::readers::GdalReader>
    s_factory("GDAL");
} // namespace
