// quarro: the desktop application. Files named on the command line are opened at start through
// the import manager, as if they had been chosen in the Open dialog (with the importer that the
// import manager finds fitting for each one, or the one given with --key). With --screenshot the
// wizards are answered automatically and the window is saved as an image once the files are in,
// then the application ends; the exit code is 0 when every file loaded.
#include "AbstractFileReaderFactory.h"
#include "ApplicationStartup.h"
#include "BatchImport.h"
#include "MainWindow.h"
#include "MapView.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QTextStream>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// Lets the window lay itself out and paint, so that a screenshot shows what a user would see.
void settle(int milliseconds) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < milliseconds) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    quarro::app::ApplicationStartup::set_identity();

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Quarro: geological data in documents, on a map."));
    parser.addHelpOption();
    parser.addVersionOption();
    QCommandLineOption const key_option(QStringLiteral("key"),
                                        QStringLiteral("Open the files with the importer KEY."),
                                        QStringLiteral("KEY"));
    QCommandLineOption const screenshot_option(
        QStringLiteral("screenshot"),
        QStringLiteral("Open the files without asking, save the window as the image OUT.png and "
                       "quit."),
        QStringLiteral("OUT.png"));
    parser.addOption(key_option);
    parser.addOption(screenshot_option);
    parser.addPositionalArgument(QStringLiteral("files"), QStringLiteral("Files to open."),
                                 QStringLiteral("[FILE...]"));
    parser.process(application);

    std::unique_ptr<quarro::app::MainWindow> window =
        quarro::app::ApplicationStartup::start(QCoreApplication::applicationDirPath());
    std::string const key = parser.value(key_option).toStdString();
    std::vector<std::string> const keys = quarro::import::AbstractFileReaderFactory::products();
    if (!key.empty() && std::find(keys.begin(), keys.end(), key) == keys.end()) {
        std::fprintf(stderr, "quarro: no importer is registered for the key '%s'\n", key.c_str());
        quarro::app::ApplicationStartup::shut_down();
        return 2;
    }
    window->show();

    QStringList const files = parser.positionalArguments();
    QString const screenshot = parser.value(screenshot_option);
    if (!files.isEmpty() || !screenshot.isEmpty()) {
        QTimer::singleShot(0, &application, [&] {
            bool const automatic = !screenshot.isEmpty();
            quarro::app::BatchImport::Result const result =
                quarro::app::BatchImport(automatic, false).run(files, key);
            if (!automatic) {
                return;
            }
            QTextStream out(stdout);
            quarro::app::BatchImport::print(result, out);
            settle(300);
            window->map_view()->zoom_to_fit();
            settle(300);
            bool const saved = window->save_screenshot(screenshot);
            if (saved) {
                out << "Screenshot saved to " << QDir::toNativeSeparators(screenshot) << "\n";
            } else {
                out << "Cannot write the screenshot " << QDir::toNativeSeparators(screenshot)
                    << "\n";
            }
            out.flush();
            QCoreApplication::exit(saved && (files.isEmpty() || result.all_loaded()) ? 0 : 1);
        });
    }
    int const code = application.exec();
    window.reset();
    return code;
}
