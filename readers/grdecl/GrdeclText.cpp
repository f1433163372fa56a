#include "GrdeclText.h"

#include "QuotedText.h"
#include "TextDecoder.h"

#include <QLocale>

namespace quarro {
namespace readers {
namespace grdecl {

QString decodeText(std::string_view text) {
    return TextDecoder().decode(text);
}

QString quoted(std::string_view text) {
    return readers::quoted(text, '"');
}

QString keywordName(std::string const& name) {
    return QString::fromLatin1(name.data(), static_cast<int>(name.size()));
}

QString groupedNumber(std::uint64_t value) {
    return QLocale(QLocale::English).toString(static_cast<qulonglong>(value));
}

} // namespace grdecl
} // namespace readers
} // namespace quarro
