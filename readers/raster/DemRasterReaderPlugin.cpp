// Registers the raster and grid reader under its key when the application loads this plugin.
#include "AbstractFileReaderFactory.h"
#include "ConcreteProductFactory.h"
#include "DemRasterReader.h"

namespace {
quarro::import::ConcreteProductFactory<quarro::import::AbstractFileReaderFactory,
                                       quarro::readers::DemRasterReader>
    s_factory("DEMRaster");
} // namespace
