// Registers the DXF reader under its key when the application loads this plugin.
#include "AbstractFileReaderFactory.h"
#include "ConcreteProductFactory.h"
#include "DxfReader.h"

namespace {
quarro::import::ConcreteProductFactory<quarro::import::AbstractFileReaderFactory,
                                       quarro::readers::DxfReader>
    s_factory("DXF");
} // namespace
