#include "GrdeclText.h"

#include <QLocale>
#include <QTextCodec>

namespace quarro {
namespace readers {
namespace grdecl {

QString decodeText(std::string_view text) {
    int const size = static_cast<int>(text.size());
    QTextCodec::ConverterState state;
    QString const decoded = QTextCodec::codecForName("UTF-8")->toUnicode(text.data(), size, &state);
    if (state.invalidChars == 0) {
        return decoded;
    }
    return QString::fromLatin1(text.data(), size);
}

QString quoted(std::string_view text) {
    constexpr std::size_t longest = 40;
    QString shown = decodeText(text.substr(0, longest));
    if (text.size() > longest) {
        shown += QStringLiteral("...");
    }
    return QStringLiteral("\"%1\"").arg(shown);
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
