#include "QuotedText.h"

#include "TextDecoder.h"

namespace quarro {
namespace readers {

QString quoted(std::string_view value, char mark) {
    constexpr std::size_t longest = 40;
    QString shown = TextDecoder().decode(value.substr(0, longest));
    if (value.size() > longest) {
        shown += QStringLiteral("...");
    }
    return QLatin1Char(mark) + shown + QLatin1Char(mark);
}

} // namespace readers
} // namespace quarro
