// Feeds arbitrary bytes to the LAS parser, builds the well of whatever it reads, and runs the
// check that verification makes on a file's head. Everything must return (read, fail or recover)
// without crashing, hanging or leaking; what the parser reads must hold together as a well.
#include "LasParser.h"
#include "LasReader.h"
#include "LasWell.h"
#include "importwidgets/CancelHook.h"
#include "model/Well.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace {

// Progress must stay within 0..100 and never go back.
struct ProgressCheck {
    double last = 0.0;

    static bool isCancelled(void*) { return false; }
    static void progress(void* user, double percent) {
        auto* self = static_cast<ProgressCheck*>(user);
        if (!(percent >= self->last && percent <= 100.0)) {
            __builtin_trap();
        }
        self->last = percent;
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size) {
    using namespace quarro::readers;
    std::string_view const text(reinterpret_cast<char const*>(data), size);
    QString why;
    LasReader::looksLikeLas(text.substr(0, 1024), why);

    ProgressCheck check;
    CancelHook const hook(&ProgressCheck::isCancelled, &ProgressCheck::progress, &check);
    LasParser::Result result = LasParser(&hook).parse(text);
    if (result.status != LasParser::Status::Ok) {
        if (result.error.isEmpty()) {
            __builtin_trap(); // a failure always says why
        }
        return 0;
    }
    LasFile& file = result.file;
    std::size_t const rows = file.rowCount();
    if (rows == 0 || file.columns.size() != file.curves.size()) {
        __builtin_trap();
    }
    for (auto const& column : file.columns) {
        if (column.size() != rows) {
            __builtin_trap();
        }
    }
    // Throws (and so aborts here) if the parser handed over names or columns a well refuses.
    std::unique_ptr<quarro::model::Well> well = makeWell(file, QStringLiteral("fuzz.las"));
    if (well->sampleCount() != rows) {
        __builtin_trap();
    }
    wellSummary(*well);
    file.issues.comments();
    return 0;
}
