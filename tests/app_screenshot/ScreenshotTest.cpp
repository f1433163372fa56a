// The window after importing the sample files: the map draws the current document, and the
// screenshot command writes the picture.
#include "BatchImport.h"
#include "MainWindow.h"
#include "MapView.h"
#include "ModalDialogHelper.h"
#include "StartedApp.h"
#include "TestApplication.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <gtest/gtest.h>

namespace quarro {
namespace test {
namespace {

// The sample files in the order the screenshot command takes them; the last importer's document
// (the DXF drawings) is the one on screen.
QStringList sampleFiles() {
    QStringList files;
    for (QString const pattern : {"las/*.las", "grdecl/*", "asc/*.asc", "dxf/*"}) {
        QFileInfo const info(dataFile(pattern));
        for (QString const& name :
             QDir(info.path()).entryList({info.fileName()}, QDir::Files, QDir::Name)) {
            files << QDir(info.path()).filePath(name);
        }
    }
    return files;
}

// Pixels of the map's drawing area that are not its background.
int drawnPixels(QImage const& shot, QRect const& area) {
    QRgb const background = app::MapView::background_colour().rgb();
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (shot.pixel(x, y) != background) {
                ++count;
            }
        }
    }
    return count;
}

void settle() {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 300) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
}

TEST(AppScreenshotTest, TheMapShowsTheImportedSamples) {
    app::MainWindow& window = *startedApp().window;
    window.resize(1280, 800);
    settle();
    QWidget* const viewport = window.map_view()->viewport();
    // The map inside its coordinate axes and above its scale bar.
    QRect const area =
        QRect(viewport->mapTo(&window, QPoint(0, 0)), viewport->size()).adjusted(40, 0, 0, -70);
    ASSERT_GT(area.width(), 300);
    ASSERT_GT(area.height(), 300);
    // The blank document of the start: nothing drawn, only how to begin.
    EXPECT_TRUE(window.map_view()->note().contains(QStringLiteral("drop files here")));

    QStringList const files = sampleFiles();
    ASSERT_GE(files.size(), 14);
    app::BatchImport::Result const result = app::BatchImport(true, false).run(files, "");
    EXPECT_TRUE(result.all_loaded());
    EXPECT_EQ(result.documents.size(), 4u);
    settle();

    QString const path = QDir(scratchDirectory()).filePath(QStringLiteral("screenshot.png"));
    ASSERT_TRUE(window.save_screenshot(path));
    QImage const shot(path);
    ASSERT_FALSE(shot.isNull());
    EXPECT_EQ(shot.size(), window.size());
    EXPECT_GT(window.map_view()->drawn_objects(), 0);
    EXPECT_TRUE(window.map_view()->note().isEmpty());
    // The drawings cover a fair part of the map, not a stray pixel.
    EXPECT_GT(drawnPixels(shot, area), area.width() * area.height() / 200);
}

TEST(AppScreenshotTest, TheScreenshotCommandWritesThePicture) {
    QString const path = QDir(scratchDirectory()).filePath(QStringLiteral("command/shot.png"));
    QDir().mkpath(QFileInfo(path).absolutePath());
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"),
                       QDir(scratchDirectory()).filePath(QStringLiteral("command-config")));
    environment.remove(QStringLiteral("QUARRO_PLUGIN_PATH"));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(QUARRO_PROGRAM),
                  QStringList{QStringLiteral("--screenshot"), path} + sampleFiles());
    ASSERT_TRUE(process.waitForFinished(120000));
    QString const out = QString::fromUtf8(process.readAllStandardOutput());
    EXPECT_EQ(process.exitCode(), 0)
        << out.toStdString() << process.readAllStandardError().toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("Screenshot saved to %1").arg(path)));
    QImage const shot(path);
    ASSERT_FALSE(shot.isNull());
    EXPECT_GT(shot.width(), 600);
    EXPECT_GT(shot.height(), 400);
}

} // namespace
} // namespace test
} // namespace quarro
