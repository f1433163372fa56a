// Test main shared by every test executable: a QApplication on the offscreen platform (unless the
// environment chose another one) and QSettings redirected into a temporary folder.
#include "TestApplication.h"

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace quarro {
namespace test {
void setScratchDirectory(QString const& path);
}
} // namespace quarro

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    ::testing::InitGoogleTest(&argc, argv);

    QTemporaryDir scratch;
    if (!scratch.isValid()) {
        return 2;
    }
    quarro::test::setScratchDirectory(scratch.path());

    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("QuarroTests"));
    QApplication::setApplicationName(QStringLiteral("QuarroTests"));
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, scratch.path() + "/settings");
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, scratch.path() + "/settings");
    // Pointing XDG at the scratch folder keeps QStandardPaths away from the user's folders too.
    qputenv("XDG_CONFIG_HOME", (scratch.path() + "/config").toLocal8Bit());
    qputenv("XDG_DATA_HOME", (scratch.path() + "/data").toLocal8Bit());

    return RUN_ALL_TESTS();
}
