// Feeds arbitrary bytes to the ASCII grid parser, the world file parser and the grid check that
// verification runs on a file's head. They must return (read, fail or recover) without crashing,
// hanging or allocating beyond what the input can describe.
#include "AsciiGridParser.h"
#include "WorldFile.h"

#include <QString>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size) {
    std::string_view const text(reinterpret_cast<char const*>(data), size);
    QString why;
    quarro::readers::AsciiGridParser::looksLikeGrid(text.substr(0, 1024), why);

    quarro::readers::AsciiGridParser parser;
    if (parser.parse(text) == quarro::readers::AsciiGridParser::Outcome::Read) {
        auto const& surface = parser.surface();
        std::size_t const cells =
            static_cast<std::size_t>(surface.ncols()) * static_cast<std::size_t>(surface.nrows());
        // A surface has a height or NODATA for every cell, and finite placement.
        if (surface.heights().size() != cells || !std::isfinite(surface.originX()) ||
            !(surface.dx() > 0.0)) {
            __builtin_trap();
        }
    }

    quarro::readers::WorldFile world;
    QString error;
    if (world.parse(text, error) && (world.pixelWidth() == 0.0 || world.pixelHeight() == 0.0)) {
        __builtin_trap();
    }
    return 0;
}
