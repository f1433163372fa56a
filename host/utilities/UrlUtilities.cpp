#include "utilities/UrlUtilities.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>

namespace quarro {
namespace utilities {

namespace {

enum class UrlForm { LocalFileUrl, OtherUrl, BarePath };

// A scheme needs at least two letters, so that a Windows drive ("C:/data") stays a bare path.
UrlForm classify(QString const& text) {
    if (text.startsWith(QLatin1String("file:"), Qt::CaseInsensitive)) {
        return UrlForm::LocalFileUrl;
    }
    static QRegularExpression const scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+://"));
    return scheme.match(text).hasMatch() ? UrlForm::OtherUrl : UrlForm::BarePath;
}

} // namespace

QString url_to_filesystem(std::string const& url) {
    QString const text = QString::fromStdString(url);
    switch (classify(text)) {
    case UrlForm::LocalFileUrl:
        return QUrl(text, QUrl::TolerantMode).toLocalFile();
    case UrlForm::OtherUrl:
        return QString();
    case UrlForm::BarePath:
        break;
    }
    return text;
}

std::string filesystem_to_url(QString const& path) {
    if (path.isEmpty()) {
        return std::string();
    }
    return QUrl::fromLocalFile(path).toString().toStdString();
}

UrlList filesystem_to_url(QStringList const& paths) {
    UrlList urls;
    urls.reserve(static_cast<std::size_t>(paths.size()));
    for (QString const& path : paths) {
        urls.push_back(filesystem_to_url(path));
    }
    return urls;
}

std::string file_from_url(std::string const& url) {
    return QFileInfo(url_to_filesystem(url)).fileName().toStdString();
}

} // namespace utilities
} // namespace quarro
