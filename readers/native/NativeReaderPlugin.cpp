// Registers the native document reader under the keys "QRO" and "QUARRO" when the application
// loads this plugin.
#include "AbstractFileReaderFactory.h"
#include "ProductRegistration.h"
#include "QroFileReader.h"
#include "QuarroFileReader.h"

namespace {
quarro::import::ProductRegistration<quarro::import::AbstractFileReaderFactory,
                                    quarro::native::QroFileReader>
    s_qro_factory("QRO");
quarro::import::ProductRegistration<quarro::import::AbstractFileReaderFactory,
                                    quarro::native::QuarroFileReader>
    s_quarro_factory("QUARRO");
} // namespace
