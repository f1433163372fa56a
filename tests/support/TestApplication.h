#ifndef QUARRO_TESTS_TESTAPPLICATION_H
#define QUARRO_TESTS_TESTAPPLICATION_H

#include <QString>

namespace quarro {
namespace test {

// The folder that holds this test run's settings and scratch files. It is created before the first
// test runs and removed when the process ends, so tests never touch the user's real settings.
QString scratchDirectory();

// Path of a sample file under the project's data/ folder.
QString dataFile(QString const& relative_path);

} // namespace test
} // namespace quarro

#endif // QUARRO_TESTS_TESTAPPLICATION_H
