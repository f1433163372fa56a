#ifndef QUARRO_TESTS_APP_APPTESTFILES_H
#define QUARRO_TESTS_APP_APPTESTFILES_H

#include "AbstractFileReaderFactory.h"

#include <QString>
#include <QStringList>

#include <algorithm>
#include <string>
#include <vector>

namespace quarro {
namespace test {

// Writes a file of the test plugin's APPTEST format into the scratch folder: the header line,
// then `lines`. Returns its path.
QString writeAppTestFile(QString const& name, QStringList const& lines);

// Writes `content` to a scratch file and returns its path.
QString writeScratchFile(QString const& name, QByteArray const& content);

QByteArray readFile(QString const& path);

// Whether a reader is registered under key.
inline bool registered(std::string const& key) {
    std::vector<std::string> const keys = import::AbstractFileReaderFactory::products();
    return std::find(keys.begin(), keys.end(), key) != keys.end();
}

} // namespace test
} // namespace quarro

#endif // QUARRO_TESTS_APP_APPTESTFILES_H
