// Registers the GDAL reader under the key "GDAL" when the application loads this plugin.
#include "AbstractFileReaderFactory.h"
#include "ConcreteProductFactory.h"
#include "GdalReader.h"

namespace {
quarro::import::ConcreteProductFactory<quarro::import::AbstractFileReaderFactory,
                                       quarro::readers::GdalReader>
    s_factory("GDAL");
} // namespace
