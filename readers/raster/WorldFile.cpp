#include "WorldFile.h"

#include <QFileInfo>

#include <charconv>
#include <cmath>
#include <cstddef>

namespace quarro {
namespace readers {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f' || c == '\x1a';
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

} // namespace

QStringList WorldFile::candidates(QString const& imagePath) {
    QFileInfo const info(imagePath);
    QString const suffix = info.suffix();
    QString const base =
        info.path() + QLatin1Char('/') + info.completeBaseName() + QLatin1Char('.');
    QStringList endings;
    if (suffix.size() >= 2) {
        endings << QString(suffix.front()) + suffix.back() + QLatin1Char('w');
    }
    if (!suffix.isEmpty()) {
        endings << suffix + QLatin1Char('w');
    }
    endings << QStringLiteral("wld");
    // Follow the case of the image's extension first (MAP.TIF has MAP.TFW).
    bool const upper =
        !suffix.isEmpty() && suffix == suffix.toUpper() && suffix != suffix.toLower();
    QStringList names;
    for (QString const& ending : endings) {
        QString const first = upper ? ending.toUpper() : ending.toLower();
        QString const second = upper ? ending.toLower() : ending.toUpper();
        names << base + first << base + second;
    }
    names.removeDuplicates();
    return names;
}

QString WorldFile::find(QString const& imagePath) {
    for (QString const& name : candidates(imagePath)) {
        if (QFileInfo(name).isFile()) {
            return name;
        }
    }
    return QString();
}

bool WorldFile::parse(std::string_view text, QString& error) {
    double values[6] = {};
    std::size_t lines[6] = {};
    int count = 0;
    std::size_t line = 0;
    std::size_t pos = 0;
    while (count < 6 && pos < text.size()) {
        std::size_t const newline = text.find('\n', pos);
        std::size_t const end = newline == std::string_view::npos ? text.size() : newline;
        std::string_view const value = trimmed(text.substr(pos, end - pos));
        pos = end + 1;
        ++line;
        if (value.empty()) {
            continue;
        }
        std::string_view number = value;
        if (number.front() == '+') {
            number.remove_prefix(1);
        }
        double parsed = 0.0;
        auto const result = std::from_chars(number.data(), number.data() + number.size(), parsed);
        if (result.ec != std::errc() || result.ptr != number.data() + number.size() ||
            !std::isfinite(parsed)) {
            error =
                QStringLiteral("line %1: '%2' is not a number")
                    .arg(line)
                    .arg(
                        QString::fromLatin1(value.data(), static_cast<int>(value.size())).left(40));
            return false;
        }
        lines[count] = line;
        values[count++] = parsed;
    }
    if (count < 6) {
        error = QStringLiteral("line %1: the world file ends after %2 of its 6 numbers")
                    .arg(line)
                    .arg(count);
        return false;
    }
    m_a = values[0];
    m_d = values[1];
    m_b = values[2];
    m_e = values[3];
    m_c = values[4];
    m_f = values[5];
    if (m_a == 0.0 || m_e == 0.0) {
        error = QStringLiteral("line %1: a pixel size of 0 places nothing")
                    .arg(m_a == 0.0 ? lines[0] : lines[3]);
        return false;
    }
    return true;
}

} // namespace readers
} // namespace quarro
