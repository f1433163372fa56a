// The window after importing the sample files: the map draws the current document and the
// screenshot shows it.
#include "AppTestFiles.h"
#include "BatchImport.h"
#include "MainWindow.h"
#include "MapView.h"
#include "StartedApp.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>
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

TEST(AppScreenshotTest, TheMapShowsTheImportedSamples) {
    app::MainWindow& window = *startedApp().window;
    window.resize(1280, 800);
    auto const settle = [] {
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < 300) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        }
    };
    settle();
    app::BatchImport::Result const result = app::BatchImport(true, false).run(sampleFiles(), "");
    EXPECT_TRUE(result.all_loaded());
    EXPECT_EQ(result.documents.size(), 4u);
    settle();
    QString const path = scratchPath(QStringLiteral("screenshot.png"));
    ASSERT_TRUE(window.save_screenshot(path));
    QImage const shot(path);
    ASSERT_EQ(shot.size(), window.size());
    // The drawings cover a fair part of the map inside its coordinate axes and above its scale
    // bar, not a stray pixel.
    QWidget* const viewport = window.map_view()->viewport();
    QRect const area =
        QRect(viewport->mapTo(&window, QPoint(0, 0)), viewport->size()).adjusted(40, 0, 0, -70);
    ASSERT_TRUE(area.width() > 300 && area.height() > 300);
    int drawn = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            drawn += shot.pixel(x, y) != app::MapView::background_colour().rgb() ? 1 : 0;
        }
    }
    EXPECT_GT(drawn, area.width() * area.height() / 200);
}

} // namespace
} // namespace test
} // namespace quarro
