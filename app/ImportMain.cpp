// quarro-import FILE... [--key KEY] [--save OUT.qro]
//
// Imports files without a window: the same import manager flows and the same modal import wizard
// as the application, on the offscreen platform, with the wizards answered automatically. Prints
// each wizard's summary as plain text (each file's outcome and the totals line) and a last line
// with the counts. Exit code 0 when every file loaded, 1 when any failed (or the save failed),
// 2 for a usage error.
#include "ApplicationStartup.h"
#include "BatchImport.h"
#include "DocumentWriter.h"
#include "ImportManager.h"
#include "ImporterKeyChooser.h"
#include "NativeDocuments.h"
#include "housekeeping/Document.h"
#include "housekeeping/DocumentManager.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QTextStream>

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
    QCommandLineOption const save_option(QStringLiteral("save"),
                                         QStringLiteral("Save the document as OUT.qro (or .qroz)."),
                                         QStringLiteral("OUT.qro"));
    parser.addOption(key_option);
    parser.addOption(save_option);
    parser.addPositionalArgument(QStringLiteral("files"), QStringLiteral("Files to import."),
                                 QStringLiteral("FILE..."));
    if (!parser.parse(QCoreApplication::arguments())) {
        return usage_error(parser, parser.errorText());
    }
    if (parser.isSet(QStringLiteral("help"))) {
        QTextStream(stdout) << parser.helpText();
        return exit_loaded;
    }
    QStringList const files = parser.positionalArguments();
    if (files.isEmpty()) {
        return usage_error(parser, QStringLiteral("no files given"));
    }
    QString const save_path = parser.value(save_option);
    if (parser.isSet(save_option) && !quarro::app::native_documents::has_native_suffix(save_path)) {
        return usage_error(parser, QStringLiteral("--save needs a file name ending in .qro, "
                                                  ".qroz or .quarro, not '%1'")
                                       .arg(save_path));
    }

    QTextStream out(stdout);
    quarro::app::ApplicationStartup::Report const plugins =
        quarro::app::ApplicationStartup::load_plugins(QCoreApplication::applicationDirPath());
    for (QString const& failed : plugins.failed_plugins) {
        QTextStream(stderr) << "quarro-import: reader plugin not loaded: " << failed << "\n";
    }
    std::string const key = parser.value(key_option).toStdString();
    if (parser.isSet(key_option) && !quarro::app::ImporterKeyChooser::is_registered(key)) {
        QStringList known;
        for (std::string const& registered : quarro::app::ImporterKeyChooser::registered_keys()) {
            known << QString::fromStdString(registered);
        }
        return usage_error(parser, QStringLiteral("no importer is registered for the key '%1' "
                                                  "(known keys: %2)")
                                       .arg(QString::fromStdString(key), known.join(", ")));
    }

    quarro::import::ImportManager::instance();
    quarro::app::BatchImport::Result const result =
        quarro::app::BatchImport(true, true).run(files, key);
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
