// Feeds arbitrary bytes to the GRDECL parser and builds a grid from whatever it read, as the
// reader does. Grids are capped at 65,536 cells so that one input stays fast; an INCLUDE is
// served a small fixed text, or fails when the name holds an 'x'.
#include "GrdeclGridBuilder.h"
#include "GrdeclParser.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size) {
    using quarro::readers::GrdeclGridBuilder;
    using quarro::readers::GrdeclParser;

    static constexpr std::string_view included = "ZCORN\n 8*1 2*\n/\nPORO 1* 0.5 /\nECHO\n";
    GrdeclParser parser;
    parser.setMaxCells(65536);
    parser.setIncludeOpener([](QString const& path, std::string_view& text, QString& error) {
        if (path.contains(QLatin1Char('x'))) {
            error = QStringLiteral("refused");
            return false;
        }
        text = included;
        return true;
    });
    GrdeclParser::Result parsed =
        parser.parse(std::string_view(reinterpret_cast<char const*>(data), size));
    if (parsed.status == GrdeclParser::Status::Ok) {
        GrdeclGridBuilder(std::move(parsed.deck)).build(QStringLiteral("fuzz"), QString());
    }
    return 0;
}
