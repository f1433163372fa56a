// quarro: the desktop application. Files named on the command line are opened at start through
// the import manager, as if they had been chosen in the Open dialog (with the importer that the
// import manager finds fitting for each one, or the one given with --key). With --screenshot the
// wizards are answered automatically and the window is saved as an image once the files are in,
// then the application ends; the exit code is 0 when every file loaded.
#include "AbstractFileReaderFactory.h"
#include "ApplicationStartup.h"
#include "BatchImport.h"
#include "DataViews.h"
#include "JournalPanel.h"
#include "MainWindow.h"
#include "MapView.h"
#include "housekeeping/Document.h"
#include "housekeeping/DocumentManager.h"
#include "model/GeoObject.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QDockWidget>
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

// Makes the document holding the object named `name` current and selects the object; false when
// no document holds one.
bool select_object(quarro::app::MainWindow& window, QString const& name) {
    quarro::housekeeping::DocumentManager& manager =
        quarro::housekeeping::DocumentManager::instance();
    for (quarro::housekeeping::DocumentId const& id : manager.current_documents()) {
        auto const* document =
            dynamic_cast<quarro::housekeeping::Document const*>(manager.document_from_id(id));
        if (document == nullptr) {
            continue;
        }
        for (quarro::housekeeping::Document::ObjectPtr const& object : document->objects()) {
            if (object && object->name() == name) {
                manager.current_document(id);
                window.data_views()->select(object);
                return true;
            }
        }
    }
    return false;
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
    QCommandLineOption const select_option(
        QStringLiteral("select"),
        QStringLiteral("With --screenshot: select the object NAME (its document becomes current)."),
        QStringLiteral("NAME"));
    QCommandLineOption const show_option(
        QStringLiteral("show"),
        QStringLiteral("With --screenshot: bring the panel PANEL (properties, journal) to the "
                       "front."),
        QStringLiteral("PANEL"));
    parser.addOption(key_option);
    parser.addOption(screenshot_option);
    parser.addOption(select_option);
    parser.addOption(show_option);
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
            quarro::app::BatchImport batch(automatic, false);
            // The picture shows the import summaries in the journal, as after the Journal button.
            batch.set_keep_journal(automatic);
            quarro::app::BatchImport::Result const result = batch.run(files, key);
            if (!automatic) {
                return;
            }
            QTextStream out(stdout);
            quarro::app::BatchImport::print(result, out);
            settle(300);
            QString const selected = parser.value(select_option);
            if (!selected.isEmpty() && !select_object(*window, selected)) {
                out << "No object is named " << selected << "\n";
            }
            if (parser.value(show_option) == QLatin1String("journal")) {
                window->data_views()->journal_panel()->raise();
            }
            settle(300);
            // The selection framed where it has a place on the map, else everything.
            window->map_view()->zoom_to_fit();
            if (!selected.isEmpty()) {
                window->data_views()->zoom_to_selection();
            }
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
