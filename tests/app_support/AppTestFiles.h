#ifndef QUARRO_TESTS_APP_APPTESTFILES_H
#define QUARRO_TESTS_APP_APPTESTFILES_H

#include <QString>
#include <QStringList>

namespace quarro {
namespace test {

// Writes a file of the test plugin's APPTEST format into the scratch folder: the header line,
// then `lines`. Returns its path.
QString writeAppTestFile(QString const& name, QStringList const& lines);

// Writes `content` to a scratch file and returns its path.
QString writeScratchFile(QString const& name, QByteArray const& content);

QByteArray readFile(QString const& path);

} // namespace test
} // namespace quarro

#endif // QUARRO_TESTS_APP_APPTESTFILES_H
