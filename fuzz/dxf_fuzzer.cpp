// Feeds arbitrary bytes (ASCII or binary DXF) to the DXF parser and to the check that verification
// runs on a file's head. Both must return (read, fail or recover) without crashing, hanging or
// leaking.
#include "DxfParser.h"
#include "DxfReader.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size) {
    std::string_view const text(reinterpret_cast<char const*>(data), size);
    QString why;
    quarro::readers::DxfReader::looksLikeAsciiDxf(text.substr(0, 1024), why);

    int polls = 0;
    quarro::readers::DxfParser parser([&polls](double share) {
        ++polls;
        return share >= 0.0 && share <= 1.0;
    });
    // Nested inserts may legitimately multiply a small file into a million points; the fuzzer
    // wants the parsing paths, not the allocator, so the budget stays small (the limit is still
    // reached and its comment still written).
    parser.capInserts(20'000, 2'000);
    if (parser.parse(text) == quarro::readers::DxfParser::Outcome::Read) {
        if (parser.drawing().pointLabels.size() != parser.drawing().points.size()) {
            __builtin_trap(); // a point set takes one label per point
        }
        for (auto const& polyline : parser.drawing().polylines) {
            if (polyline.points.empty()) {
                __builtin_trap(); // the model refuses empty polylines
            }
        }
    }
    return 0;
}
