// quarro-import FILE|FOLDER... [--recursive] [--key KEY] [--save OUT.qro]
//
// A folder stands for its files, in sorted order (with those of its sub-folders under
// --recursive); a file found that way that no importer takes is listed as skipped, not failed.
// Imports files without a window: the same import manager flows and the same modal import wizard
// as the application, on the offscreen platform, with the wizards answered automatically. Prints
// each wizard's summary as plain text (each file's outcome and the totals line) and a last line
// with the counts. Exit code 0 when every file loaded, 1 when any failed (or the save failed),
// 2 for a usage error.
#include "AbstractFileReaderFactory.h"
#include "ApplicationStartup.h"
#include "BatchImport.h"
#include "DocumentWriter.h"
#include "ImportManager.h"
#include "NativeDocuments.h"
#include "housekeeping/Document.h"
#include "housekeeping/DocumentManager.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QSet>
#include <QTextStream>

#include <algorithm>
#include <exception>
#include <string>
#include <vector>

namespace {

int const exit_loaded = 0;
int const exit_failed = 1;
int const exit_usage = 2;

int usage_error(QCommandLineParser const& parser, QString const& problem) {
    QTextStream err(stderr);
    err << "quarro-import: " << problem << "\n\n" << parser.helpText();
    return exit_usage;
}

int save(quarro::housekeeping::DocumentId const& id, QString const& path, QTextStream& out) {
    auto const* document = dynamic_cast<quarro::housekeeping::Document const*>(
        quarro::housekeeping::DocumentManager::instance().document_from_id(id));
    if (document == nullptr) {
        out << "Nothing was loaded: " << QDir::toNativeSeparators(path) << " was not written\n";
        return exit_failed;
    }
    quarro::native::DocumentWriter writer;
    if (!writer.write(*document, path)) {
        out << "Cannot save " << QDir::toNativeSeparators(path) << ": " << writer.errorString()
            << "\n";
        return exit_failed;
    }
    out << "Saved " << document->object_count() << " objects to " << QDir::toNativeSeparators(path)
        << "\n";
    return exit_loaded;
}

bool is_registered(std::string const& key) {
    std::vector<std::string> const keys = quarro::import::AbstractFileReaderFactory::products();
    return std::find(keys.begin(), keys.end(), key) != keys.end();
}

// The importers a user can name with --key, with the files each one offers to read.
QString importer_list() {
    QString text = QStringLiteral("\nImporters (KEY: file filter):\n");
    for (std::string const& key :
         quarro::import::ImportManager::const_instance().importer_order()) {
        QString filter;
        try {
            filter = QString::fromStdString(
                quarro::import::AbstractFileReaderFactory::create(key)->file_filter());
        } catch (std::exception const& e) {
            filter = QString::fromUtf8(e.what());
        }
        text += QStringLiteral("  %1: %2\n").arg(QString::fromStdString(key), filter.trimmed());
    }
    return text;
}

// The arguments with every folder replaced by its files, sorted; the files that came from folders
// go to from_folders as well.
QStringList expand_folders(QStringList const& arguments, bool recursive,
                           QSet<QString>& from_folders) {
    QStringList files;
    for (QString const& argument : arguments) {
        if (!QFileInfo(argument).isDir()) {
            files << argument;
            continue;
        }
        QStringList found;
        QDirIterator it(argument, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot,
                        recursive ? QDirIterator::Subdirectories : QDirIterator::NoIteratorFlags);
        while (it.hasNext()) {
            found << it.next();
        }
        found.sort();
        for (QString const& file : found) {
            from_folders.insert(file);
        }
        files << found;
    }
    return files;
}

QtMessageHandler g_default_handler = nullptr;

// The offscreen platform warns about window features it has no use for; the user can do nothing
// about those, so they stay out of the output. Everything else is passed on.
void quiet_platform_noise(QtMsgType type, QMessageLogContext const& context, QString const& text) {
    if (type == QtWarningMsg &&
        (text.contains(QLatin1String("propagateSizeHints")) ||
         text.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR")))) {
        return;
    }
    g_default_handler(type, context, text);
}

} // namespace

int main(int argc, char** argv) {
    // Headless by design: the wizard runs, but on no screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    g_default_handler = qInstallMessageHandler(quiet_platform_noise);
    QApplication application(argc, argv);
    quarro::app::ApplicationStartup::set_identity();
    QCoreApplication::setApplicationName(QStringLiteral("quarro-import"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Imports files into a Quarro document with the application's import wizard, answered "
        "automatically, and prints the import summary.\nExit code: 0 every file loaded, 1 a file "
        "failed, 2 usage error."));
    parser.addHelpOption();
    QCommandLineOption const key_option(
        QStringLiteral("key"),
        QStringLiteral("Import every file with the importer KEY (default: the importer that fits "
                       "each file)."),
        QStringLiteral("KEY"));
    QCommandLineOption const recursive_option(
        QStringLiteral("recursive"),
        QStringLiteral("Import the files in the sub-folders of a folder as well."));
    QCommandLineOption const save_option(QStringLiteral("save"),
                                         QStringLiteral("Save the document as OUT.qro (or .qroz)."),
                                         QStringLiteral("OUT.qro"));
    parser.addOption(key_option);
    parser.addOption(save_option);
    parser.addOption(recursive_option);
    parser.addPositionalArgument(
        QStringLiteral("files"),
        QStringLiteral("Files to import; a folder stands for the files in it, in sorted order."),
        QStringLiteral("FILE|FOLDER..."));
    if (!parser.parse(QCoreApplication::arguments())) {
        return usage_error(parser, parser.errorText());
    }
    QTextStream out(stdout);
    quarro::app::ApplicationStartup::Report const plugins =
        quarro::app::ApplicationStartup::load_plugins(QCoreApplication::applicationDirPath());
    for (QString const& failed : plugins.failed_plugins) {
        QTextStream(stderr) << "quarro-import: reader plugin not loaded: " << failed << "\n";
    }
    if (parser.isSet(QStringLiteral("help"))) {
        out << parser.helpText() << importer_list();
        out.flush();
        quarro::app::ApplicationStartup::shut_down();
        return exit_loaded;
    }
    QSet<QString> from_folders;
    QStringList const files =
        expand_folders(parser.positionalArguments(), parser.isSet(recursive_option), from_folders);
    if (parser.positionalArguments().isEmpty()) {
        return usage_error(parser, QStringLiteral("no files given"));
    }
    QString const save_path = parser.value(save_option);
    if (parser.isSet(save_option) && !quarro::app::native_documents::has_native_suffix(save_path)) {
        return usage_error(parser, QStringLiteral("--save needs a file name ending in .qro, "
                                                  ".qroz or .quarro, not '%1'")
                                       .arg(save_path));
    }

    std::string const key = parser.value(key_option).toStdString();
    if (parser.isSet(key_option) && !is_registered(key)) {
        QStringList known;
        for (std::string const& registered :
             quarro::import::AbstractFileReaderFactory::products()) {
            known << QString::fromStdString(registered);
        }
        return usage_error(parser, QStringLiteral("no importer is registered for the key '%1' "
                                                  "(known keys: %2)")
                                       .arg(QString::fromStdString(key), known.join(", ")));
    }

    quarro::import::ImportManager::instance();
    quarro::app::BatchImport::Result const result =
        quarro::app::BatchImport(true, true).run(files, key, from_folders);
    quarro::app::BatchImport::print(result, out);
    int code = result.all_loaded() ? exit_loaded : exit_failed;
    if (parser.isSet(save_option) &&
        save(result.documents.empty() ? quarro::housekeeping::DocumentId()
                                      : result.documents.front(),
             save_path, out) != exit_loaded) {
        code = exit_failed;
    }
    quarro::app::ApplicationStartup::shut_down();
    return code;
}
