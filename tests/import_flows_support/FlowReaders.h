#ifndef QUARRO_TESTS_IMPORT_FLOWS_FLOWREADERS_H
#define QUARRO_TESTS_IMPORT_FLOWS_FLOWREADERS_H

#include "ScriptedReader.h"

namespace quarro {
namespace test {

// The flows' importers, each a ScriptedReader<Spec>: their keys and the filter texts they offer in
// the file dialogs.
struct NativeSpec {
    static constexpr char const* key = "QRO";
    static constexpr char const* filter = "QRO Format (*.qro *.quarro *.qroz)";
};
struct ProjectSpec {
    static constexpr char const* key = "QUARRO";
    static constexpr char const* filter = "Quarro projects (*.qrod)";
};
struct LinesSpec {
    static constexpr char const* key = "VBL";
    static constexpr char const* filter = "VBL lines (*.vbl)";
};
struct DrawingSpec {
    static constexpr char const* key = "DXF";
    static constexpr char const* filter = "DXF drawings (*.dxf)";
};
struct WellsSpec {
    static constexpr char const* key = "WELLS";
    static constexpr char const* filter = "LAS wells (*.las)";
};
struct TextSpec {
    static constexpr char const* key = "TXT";
    static constexpr char const* filter = "Text points (*.txt)";
};
// Offered only by the image dialog: "Check" keeps it out of the Open and Insert dialogs.
struct RasterSpec {
    static constexpr char const* key = "DEMRaster";
    static constexpr char const* filter = "Check raster images";
};
struct BrokenSpec {
    static constexpr char const* key = "BROKEN";
    static constexpr char const* filter = "Broken importer (*.brk)";
};

} // namespace test
} // namespace quarro

#endif // QUARRO_TESTS_IMPORT_FLOWS_FLOWREADERS_H
