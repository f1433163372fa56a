// quarro-import FILE|FOLDER... [--recursive] [--key KEY] [--save OUT.qro], run as a separate
// program on real sample files: what it prints and the exit codes 0 (all loaded), 1 (a file
// failed), 2 (usage).
#include "AppTestFiles.h"

#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace quarro {
namespace test {
namespace {

// Runs quarro-import with its settings in the scratch folder, never the user's, and checks the
// exit code, that each of `expected` is in its output (stdout, then "|" and stderr) and that the
// output matches `pattern` (when one is given). Returns the output.
QString quarroImport(QStringList const& arguments, int exit_code, QStringList const& expected,
                     QString const& pattern = QString()) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), scratchDirectory() + "/config");
    environment.remove(QStringLiteral("QUARRO_PLUGIN_PATH"));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(QUARRO_IMPORT_PROGRAM), arguments);
    bool const finished = process.waitForFinished(120000);
    QString const out = QString::fromUtf8(process.readAllStandardOutput()) + "|" +
                        QString::fromUtf8(process.readAllStandardError());
    std::string const trace = arguments.join(' ').toStdString() + "\n" + out.toStdString();
    EXPECT_TRUE(finished && process.exitStatus() == QProcess::NormalExit) << trace;
    EXPECT_EQ(process.exitCode(), exit_code) << trace;
    for (QString const& text : expected) {
        EXPECT_TRUE(out.contains(text)) << text.toStdString() << "\n" << trace;
    }
    EXPECT_TRUE(pattern.isEmpty() || out.contains(QRegularExpression(pattern))) << trace;
    return out;
}

TEST(QuarroImportTest, ImportsEveryFormatAndReportsFailuresAndUsageErrors) {
    QString const las = dataFile(QStringLiteral("las/sample_2.0.las"));
    QStringList const samples = {las, dataFile(QStringLiteral("grdecl/Simple10x10x3_Fault.grdecl")),
                                 dataFile(QStringLiteral("dxf/usa.dxf")),
                                 dataFile(QStringLiteral("asc/hugo_site.asc")),
                                 dataFile(QStringLiteral("las/6038187_v1.2_short.las"))};
    // One wizard per importer with its summary's totals line; the two wells share one; the
    // readers' words come through as text, without markup.
    QString const all = quarroImport(
        samples, 0,
        {samples[1] + ": OK", samples[4] + ": OK", "Importer WELLS, 2 files:",
         "Importer GRDECL, 1 file:", "Importer DXF, 1 file:", "Importer DEMRaster, 1 file:",
         "well AAAAA_2: 7 curves", "5 of 5 files loaded, 0 failed\n|"});
    EXPECT_EQ(all.count(QRegularExpression(QStringLiteral("Loaded \\d+ objects in [0-9.]+ secs"))),
              4);
    EXPECT_FALSE(all.contains(QLatin1Char('<')));

    QString const damaged = writeScratchFile(QStringLiteral("bad/damaged.las"),
                                             "~VERSION INFORMATION\n VERS. 2.0 :\n~A\n1 2 3\n");
    QString const unknown = writeScratchFile(QStringLiteral("bad/notes.txt"), "just some notes\n");
    QString const missing = scratchPath(QStringLiteral("bad/missing.las"));
    quarroImport({las, damaged, unknown, missing}, 1,
                 {las + ": OK", damaged + ": Failed", "WELLS: not a LAS well log",
                  unknown + ": Failed\nNo importer accepts this file.",
                  missing + ": Failed\nThe file does not exist.",
                  "1 of 4 files loaded, 3 failed\n|"});
    // A key that refuses the file: the import manager's words.
    quarroImport({"--key", "QRO", las}, 1,
                 {las + ": Failed\nUnable to import file(s) using the selected importer."});

    for (auto const& [arguments, complaint] : std::vector<std::pair<QStringList, QString>>{
             {{}, "no files given"},
             {{"--colour", las}, "Unknown option 'colour'"},
             {{"--key", "NOPE", las}, "no importer is registered for the key 'NOPE'"},
             {{"--save", "out.txt", las}, "--save needs a file name ending in .qro"},
             {{las, "--key"}, "Missing value after '--key'"}}) {
        quarroImport(arguments, 2, {complaint, "Usage:"}, QStringLiteral("^\\|"));
    }
    // --help names the options and every importer with its files.
    quarroImport({"--help"}, 0, {"--save <OUT.qro>", "--recursive"},
                 QStringLiteral("\n  QRO: .*\\*\\.qro(.|\n)*\n  WELLS: .*\\*\\.las|"
                                "\n  WELLS: .*\\*\\.las(.|\n)*\n  QRO: .*\\*\\.qro"));
}

TEST(QuarroImportTest, SavesOneDocumentThatReadsBack) {
    QString const saved = scratchPath(QStringLiteral("saved/field.qro"));
    QString const las = dataFile(QStringLiteral("las/sample_2.0.las"));
    quarroImport({las, dataFile(QStringLiteral("asc/west_bijou_gully.asc")), "--save", saved}, 0,
                 {QStringLiteral("Saved 2 objects to %1").arg(saved)});
    quarroImport({saved}, 0, {"Importer QRO, 1 file:", "Loaded 2 objects in "});
    // A document cut short fails with the reader's reason.
    QByteArray const whole = readFile(saved);
    QString const cut =
        writeScratchFile(QStringLiteral("saved/cut.qro"), whole.left(whole.size() / 2));
    quarroImport({cut}, 1, {cut + ": Failed", "0 of 1 files loaded, 1 failed\n|"});
    // Saving where no file can be written: exit code 1 and the reason, after the import.
    QString const nowhere = writeScratchFile(QStringLiteral("saved/plain"), "x") + "/out.qro";
    quarroImport({las, "--save", nowhere}, 1, {QStringLiteral("Cannot save %1").arg(nowhere)});
    EXPECT_FALSE(QFileInfo::exists(nowhere));
}

} // namespace
} // namespace test
} // namespace quarro
