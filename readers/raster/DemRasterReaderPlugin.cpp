// Registers the raster and grid reader under its key when the application loads this plugin.
#include "AbstractFileReaderFactory.h"
#include "DemRasterReader.h"
#include "ProductRegistration.h"

namespace {
quarro::import::ProductRegistration<quarro::import::AbstractFileReaderFactory,
                                    quarro::readers::DemRasterReader>
    s_factory("DEMRaster");
} // namespace
