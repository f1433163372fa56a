#ifndef QUARRO_UTILITIES_URLUTILITIES_H
#define QUARRO_UTILITIES_URLUTILITIES_H

#include "QuarroHostExport.h"

#include <QString>
#include <QStringList>

#include <string>
#include <vector>

namespace quarro {
namespace utilities {

// A list of URLs as the host passes them around: UTF-8 strings in the file:// form that
// QUrl::fromLocalFile writes (spaces and non-ASCII characters as they are, '%' and '#' escaped).
using UrlList = std::vector<std::string>;

// The local path of a file:// URL. A bare local path (no scheme) is returned as it is; a URL of
// another scheme names no local file and gives an empty string. The input is UTF-8.
QUARRO_HOST_EXPORT QString url_to_filesystem(std::string const& url);

// The file:// URL of a local path, as QUrl::fromLocalFile writes it, in UTF-8. An empty path gives
// an empty URL.
QUARRO_HOST_EXPORT std::string filesystem_to_url(QString const& path);

// filesystem_to_url() for each path, in order.
QUARRO_HOST_EXPORT UrlList filesystem_to_url(QStringList const& paths);

// The file name with its extension, without folders, of a URL or bare path (UTF-8).
QUARRO_HOST_EXPORT std::string file_from_url(std::string const& url);

} // namespace utilities
} // namespace quarro

#endif // QUARRO_UTILITIES_URLUTILITIES_H
