// quarro-import FILE|FOLDER... [--recursive] [--key KEY] [--save OUT.qro], run as a separate
// program on real sample files: what it prints and the exit codes 0 (all loaded), 1 (a file
// failed), 2 (usage).
#include "AppTestFiles.h"
#include "TestApplication.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace quarro {
namespace test {
namespace {

struct Outcome {
    int exit_code = -1;
    QString out;
    QString err;
};

// Runs quarro-import with its settings in the scratch folder, never the user's.
Outcome quarroImport(QStringList const& arguments) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"),
                       QDir(scratchDirectory()).filePath(QStringLiteral("import-config")));
    environment.remove(QStringLiteral("QUARRO_PLUGIN_PATH"));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(QUARRO_IMPORT_PROGRAM), arguments);
    Outcome run;
    if (!process.waitForFinished(120000)) {
        process.kill();
        process.waitForFinished();
        run.err = QStringLiteral("quarro-import did not finish");
        return run;
    }
    run.exit_code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

QString lastLine(QString const& text) {
    return text.trimmed().split(QLatin1Char('\n')).last();
}

std::string show(Outcome const& run) {
    return ("stdout:\n" + run.out + "\nstderr:\n" + run.err).toStdString();
}

TEST(QuarroImportTest, ImportsASampleOfEveryFormat) {
    QStringList const files = {dataFile(QStringLiteral("las/sample_2.0.las")),
                               dataFile(QStringLiteral("grdecl/Simple10x10x3_Fault.grdecl")),
                               dataFile(QStringLiteral("dxf/usa.dxf")),
                               dataFile(QStringLiteral("asc/hugo_site.asc")),
                               dataFile(QStringLiteral("las/6038187_v1.2_short.las"))};
    Outcome const run = quarroImport(files);
    ASSERT_EQ(run.exit_code, 0) << show(run);
    for (QString const& file : files) {
        EXPECT_TRUE(run.out.contains(QFileInfo(file).absoluteFilePath() + ": OK")) << show(run);
    }
    // One wizard per importer, each with its summary's totals line; the two wells share one.
    EXPECT_TRUE(run.out.contains(QStringLiteral("Importer WELLS, 2 files:"))) << show(run);
    EXPECT_TRUE(run.out.contains(QStringLiteral("Importer GRDECL, 1 file:")));
    EXPECT_TRUE(run.out.contains(QStringLiteral("Importer DXF, 1 file:")));
    EXPECT_TRUE(run.out.contains(QStringLiteral("Importer DEMRaster, 1 file:")));
    EXPECT_TRUE(run.out.contains(QStringLiteral("Loaded 2 objects in ")));
    EXPECT_EQ(
        run.out.count(QRegularExpression(QStringLiteral("Loaded \\d+ objects in [0-9.]+ secs"))),
        4);
    // The readers' own words come through as text.
    EXPECT_TRUE(run.out.contains(QStringLiteral("well AAAAA_2: 7 curves")));
    EXPECT_FALSE(run.out.contains(QLatin1Char('<'))) << show(run);
    EXPECT_EQ(lastLine(run.out), QStringLiteral("5 of 5 files loaded, 0 failed"));
}

TEST(QuarroImportTest, AFileThatFailsGivesExitCodeOneAndItsReason) {
    QString const good = dataFile(QStringLiteral("las/sample_1.2.las"));
    QString const damaged = writeScratchFile(QStringLiteral("bad/damaged.las"),
                                             "~VERSION INFORMATION\n VERS. 2.0 :\n~A\n1 2 3\n");
    QString const unknown = writeScratchFile(QStringLiteral("bad/notes.txt"), "just some notes\n");
    QString const missing = QDir(scratchDirectory()).filePath(QStringLiteral("bad/missing.las"));

    Outcome const run = quarroImport({good, damaged, unknown, missing});
    ASSERT_EQ(run.exit_code, 1) << show(run);
    EXPECT_TRUE(run.out.contains(good + ": OK")) << show(run);
    EXPECT_TRUE(run.out.contains(damaged + ": Failed")) << show(run);
    EXPECT_TRUE(run.out.contains(unknown + ": Failed\nNo importer accepts this file."));
    EXPECT_TRUE(run.out.contains(QStringLiteral("WELLS: not a LAS well log")));
    EXPECT_TRUE(run.out.contains(missing + ": Failed\nThe file does not exist."));
    EXPECT_EQ(lastLine(run.out), QStringLiteral("1 of 4 files loaded, 3 failed"));

    // A key that refuses the file: the import manager's words.
    Outcome const refused = quarroImport({QStringLiteral("--key"), QStringLiteral("QRO"), good});
    EXPECT_EQ(refused.exit_code, 1) << show(refused);
    EXPECT_TRUE(refused.out.contains(
        good + ": Failed\nUnable to import file(s) using the selected importer."))
        << show(refused);
}

TEST(QuarroImportTest, UsageErrorsGiveExitCodeTwo) {
    QString const good = dataFile(QStringLiteral("las/sample_1.2.las"));
    struct Case {
        QStringList arguments;
        QString complaint;
    };
    for (Case const& c :
         {Case{{}, QStringLiteral("no files given")},
          Case{{QStringLiteral("--colour"), good}, QStringLiteral("Unknown option 'colour'")},
          Case{{QStringLiteral("--key"), QStringLiteral("NOPE"), good},
               QStringLiteral("no importer is registered for the key 'NOPE'")},
          Case{{QStringLiteral("--save"), QStringLiteral("out.txt"), good},
               QStringLiteral("--save needs a file name ending in .qro")},
          Case{{good, QStringLiteral("--key")}, QStringLiteral("Missing value after '--key'")}}) {
        Outcome const run = quarroImport(c.arguments);
        EXPECT_EQ(run.exit_code, 2) << c.arguments.join(' ').toStdString() << "\n" << show(run);
        EXPECT_TRUE(run.err.contains(c.complaint)) << show(run);
        EXPECT_TRUE(run.err.contains(QStringLiteral("Usage:")));
        EXPECT_TRUE(run.out.isEmpty()) << show(run);
    }
    Outcome const help = quarroImport({QStringLiteral("--help")});
    EXPECT_EQ(help.exit_code, 0);
    EXPECT_TRUE(help.out.contains(QStringLiteral("--save <OUT.qro>")));
}

TEST(QuarroImportTest, AFolderMeansItsFilesAndWhatNoImporterTakesIsSkipped) {
    QDir const folder(QDir(scratchDirectory()).filePath(QStringLiteral("folder")));
    QDir().mkpath(folder.filePath(QStringLiteral("sub")));
    QString const well = folder.filePath(QStringLiteral("b_well.las"));
    QString const grid = folder.filePath(QStringLiteral("sub/grid.asc"));
    QFile::copy(dataFile(QStringLiteral("las/sample_2.0.las")), well);
    QFile::copy(dataFile(QStringLiteral("asc/hugo_site.asc")), grid);
    QString const notes = writeScratchFile(QStringLiteral("folder/a_notes.txt"), "just notes\n");

    struct Row {
        QStringList arguments;
        QStringList loaded;
        QString totals;
    };
    Row const rows[] = {
        {{folder.path()}, {well}, QStringLiteral("1 of 1 files loaded, 0 failed, 1 skipped")},
        {{QStringLiteral("--recursive"), folder.path()},
         {well, grid},
         QStringLiteral("2 of 2 files loaded, 0 failed, 1 skipped")}};
    for (Row const& row : rows) {
        Outcome const run = quarroImport(row.arguments);
        EXPECT_EQ(run.exit_code, 0) << show(run);
        for (QString const& file : row.loaded) {
            EXPECT_TRUE(run.out.contains(file + ": OK")) << show(run);
        }
        // Listed once, as skipped (a reader's reason may quote the path again).
        EXPECT_EQ(run.out.count(notes + QStringLiteral(": ")), 1) << show(run);
        EXPECT_TRUE(run.out.contains(QStringLiteral("Skipped, as no importer takes them:\n") +
                                     notes + ": No importer accepts this file."))
            << show(run);
        EXPECT_EQ(run.out.contains(grid), row.loaded.contains(grid)) << show(run);
        EXPECT_EQ(lastLine(run.out), row.totals);
    }

    // --help names every importer with its files.
    Outcome const help = quarroImport({QStringLiteral("--help")});
    EXPECT_TRUE(help.out.contains(QStringLiteral("--recursive"))) << show(help);
    EXPECT_TRUE(help.out.contains(QRegularExpression(QStringLiteral("\n  WELLS: .*\\*\\.las"))))
        << show(help);
    EXPECT_TRUE(help.out.contains(QRegularExpression(QStringLiteral("\n  QRO: .*\\*\\.qro"))));
}

TEST(QuarroImportTest, SavesOneDocumentThatReadsBack) {
    QString const saved = QDir(scratchDirectory()).filePath(QStringLiteral("saved/field.qro"));
    QDir().mkpath(QFileInfo(saved).absolutePath());
    Outcome const run = quarroImport({dataFile(QStringLiteral("las/sample_2.0.las")),
                                      dataFile(QStringLiteral("asc/west_bijou_gully.asc")),
                                      QStringLiteral("--save"), saved});
    ASSERT_EQ(run.exit_code, 0) << show(run);
    EXPECT_TRUE(run.out.contains(QStringLiteral("Saved 2 objects to %1").arg(saved))) << show(run);

    Outcome const reread = quarroImport({saved});
    ASSERT_EQ(reread.exit_code, 0) << show(reread);
    EXPECT_TRUE(reread.out.contains(QStringLiteral("Importer QRO, 1 file:"))) << show(reread);
    EXPECT_TRUE(reread.out.contains(QStringLiteral("Loaded 2 objects in "))) << show(reread);

    // A document cut short fails with the reader's reason; nothing is left loaded.
    QByteArray const whole = readFile(saved);
    QString const cut =
        writeScratchFile(QStringLiteral("saved/cut.qro"), whole.left(whole.size() / 2));
    Outcome const broken = quarroImport({cut});
    EXPECT_EQ(broken.exit_code, 1) << show(broken);
    EXPECT_TRUE(broken.out.contains(cut + ": Failed")) << show(broken);
    EXPECT_EQ(lastLine(broken.out), QStringLiteral("0 of 1 files loaded, 1 failed"));

    // Saving where no file can be written: exit code 1 and the reason, after the import.
    QString const nowhere = writeScratchFile(QStringLiteral("saved/plain"), "x") + "/out.qro";
    Outcome const unsaved = quarroImport(
        {dataFile(QStringLiteral("las/sample_2.0.las")), QStringLiteral("--save"), nowhere});
    EXPECT_EQ(unsaved.exit_code, 1) << show(unsaved);
    EXPECT_TRUE(unsaved.out.contains(QStringLiteral("Cannot save %1").arg(nowhere)))
        << show(unsaved);
    EXPECT_FALSE(QFileInfo::exists(nowhere));
}

} // namespace
} // namespace test
} // namespace quarro
