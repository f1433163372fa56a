#include "GrdeclReader.h"
#include "GrdeclTestGrids.h"
#include "ProgressCancelHook.h"
#include "ReaderTestFixture.h"
#include "model/CornerPointGrid.h"

#include <boost/make_shared.hpp>

#include <algorithm>
#include <numeric>
#include <string>
#include <vector>

using namespace quarro;
using import::AbstractFileReader;
using model::CornerPointGrid;
using readers::GrdeclReader;

namespace {

class GrdeclReaderTest : public test::ReaderTestFixture {
protected:
    // Reads the files; the summary is kept.
    AbstractFileReader::ImportState readFiles(QStringList const& paths,
                                              brkBase::AbstractProgress* progress = nullptr) {
        GrdeclReader reader;
        AbstractFileReader::ImportState const state = read(reader, paths, progress);
        summary = reader.import_summary().toStdString();
        return state;
    }
    // Reads one file that must load, as the document's next object.
    CornerPointGrid const& readGrid(QString const& path) {
        std::size_t const before = document().object_count();
        EXPECT_EQ(AbstractFileReader::IMPORT_OK, readFiles({path})) << summary;
        EXPECT_EQ(before + 1, document().object_count());
        return object<CornerPointGrid>(before);
    }
    // Reads `text` as a file that must fail, and returns the summary.
    std::string failure(std::string const& text) {
        EXPECT_EQ(AbstractFileReader::IMPORT_FAILED,
                  readFiles({test::writeScratch(QStringLiteral("bad.grdecl"), text)}))
            << text.substr(0, 200);
        EXPECT_EQ(0u, document().object_count());
        return summary;
    }

    std::string summary;
};

QString dataFile(char const* name) {
    return test::dataFile(QStringLiteral("grdecl/") + name);
}

std::string objectProperty(model::GeoObject const& object, char const* key) {
    return object.property(QString::fromLatin1(key)).toStdString();
}

double sum(std::vector<double> const* values) {
    return values != nullptr ? std::accumulate(values->begin(), values->end(), 0.0) : -1.0;
}

// The text with the first `from` on line `line` (counted from 1) replaced.
std::string replacedOnLine(std::string text, int line, std::string const& from,
                           std::string const& to) {
    std::size_t start = 0;
    while (--line > 0) {
        start = text.find('\n', start) + 1;
    }
    return text.replace(text.find(from, start), from.size(), to);
}

bool contains(std::string const& text, std::string const& part) {
    return text.find(part) != std::string::npos;
}

struct CancellingProgress : brkBase::AbstractProgress {
    void set_value(int value) override {
        values.push_back(value);
        AbstractProgress::set_value(value);
    }
    bool cancelled() const override { return ++questions > 0 && cancel; }
    bool cancel = false;
    std::vector<int> values;
    mutable int questions = 0;
};

} // namespace

TEST_F(GrdeclReaderTest, ReadsTheRealGrids) {
    GrdeclReader reader;
    for (char const* name : {"CP.GRDECL", "Simple10x10x3_Fault.grdecl", "snarkgrid.grdecl"}) {
        QString message = QStringLiteral("untouched");
        EXPECT_EQ(std::bitset<4>("1001"),
                  reader.verify(utilities::filesystem_to_url(dataFile(name)), message));
        EXPECT_EQ("untouched", message.toStdString());
    }
    QString message;
    EXPECT_EQ(std::bitset<4>(), reader.verify("file:///no/such/file.grdecl", message));
    EXPECT_EQ("the file cannot be read", message.toStdString());

    CornerPointGrid const& cp = readGrid(dataFile("CP.GRDECL"));
    EXPECT_EQ("CP", cp.name().toStdString());
    EXPECT_EQ(std::make_tuple(20, 5, 10, std::size_t{1000}, std::size_t{8000}, std::size_t{126}),
              std::make_tuple(cp.ni(), cp.nj(), cp.nk(), cp.activeCellCount(), cp.zcorn().size(),
                              cp.pillars().size()));
    EXPECT_EQ(std::make_tuple(6825.0, 7673.0, 7023.0, std::string("132")),
              std::make_tuple(cp.zcorn().front(), cp.zcorn().back(), cp.pillars().front().bottom.z,
                              objectProperty(cp, "Split nodes")));
    EXPECT_EQ("CP.GRDECL: <b>OK</b><br />\n<br />\nCP.GRDECL: grid 20 x 5 x 10 (1,000 cells, "
              "1,000 active), no properties, 132 split nodes<br />\n",
              summary);

    CornerPointGrid const& snark = readGrid(dataFile("snarkgrid.grdecl"));
    EXPECT_EQ(std::make_tuple(14, 14, 5, std::size_t{980}),
              std::make_tuple(snark.ni(), snark.nj(), snark.nk(), snark.activeCellCount()));
    EXPECT_EQ(std::make_pair(3431.8538, 4025.3779),
              std::make_pair(snark.zcorn().front(), snark.zcorn().back()));
    EXPECT_EQ((QStringList{"PORO", "PERMX", "PERMY", "PERMZ", "NTG"}), snark.propertyNames());
    EXPECT_NEAR(237.09449100196514, sum(snark.property(QStringLiteral("PORO"))), 1e-9);
    EXPECT_NEAR(55527.33989080003, sum(snark.property(QStringLiteral("PERMX"))), 1e-7);
    EXPECT_NEAR(587.0274052030001, sum(snark.property(QStringLiteral("NTG"))), 1e-9);
    ASSERT_TRUE(snark.mapAxes());
    EXPECT_EQ(std::make_tuple(0.54950006E+06, 0.67980000E+07, std::string("FEET"),
                              std::string("FAULTS1, FAULTS2, FAULTS3")),
              std::make_tuple((*snark.mapAxes())[0], (*snark.mapAxes())[5],
                              objectProperty(snark, "Map units"), objectProperty(snark, "Faults")));
    EXPECT_TRUE(contains(summary, "snarkgrid.grdecl: grid 14 x 14 x 5 (980 cells, 980 active), "
                                  "5 properties (PORO, PERMX, PERMY, PERMZ, NTG), 462 split nodes, "
                                  "3 faults<br />\n<br />\nKeywords not read: PINCH<br />\n"))
        << summary;
}

TEST_F(GrdeclReaderTest, ReadsOddButReadableFiles) {
    // CRLF line ends, an end-of-file byte, a Latin-1 degree sign in a comment, lower-case
    // keywords and the grid split over an included file with a non-ASCII name.
    QByteArray simple =
        QByteArray::fromStdString(test::readBytes(dataFile("Simple10x10x3_Fault.grdecl")));
    simple.replace("\n", "\r\n");
    simple.replace("SPECGRID", "-- 20\xB0 dip\r\nspecgrid");
    int const zcorn = simple.indexOf("ZCORN");
    test::writeScratch(QStringLiteral("zône.inc"), (simple.mid(zcorn) + "\x1A").toStdString());
    QString const path =
        test::writeScratch(QStringLiteral("grille été.grdecl"),
                           (simple.left(zcorn) + "INCLUDE\r\n 'zône.inc' /\r\n").toStdString());
    CornerPointGrid const& grid = readGrid(path);
    EXPECT_EQ(
        std::make_tuple(std::size_t{300}, 0.375, std::string("88"), std::string("grille été")),
        std::make_tuple(grid.activeCellCount(), grid.zcorn().back(),
                        objectProperty(grid, "Split nodes"), grid.name().toStdString()));
    EXPECT_TRUE(contains(summary, "grille été.grdecl: grid 10 x 10 x 3")) << summary;

    // Keywords without data, long names, comments beside keywords, a short property, a missing
    // '/': the grid loads and each fault has its comment.
    CornerPointGrid const& odd = readGrid(test::writeScratch(
        QStringLiteral("odd.grdecl"), "NOECHO\nGRID\n" + test::gridText(2, 1, 1) +
                                          "PORO -- porosity\n 0.2 0.3 /\nNTG\nPERMX\n 1 2 3 /\n"
                                          "PORO_UPSCALED_V2\n 0.1 0.2\nECHO\n"));
    EXPECT_EQ((QStringList{"PORO", "PORO_UPSCALED_V2"}), odd.propertyNames());
    for (char const* comment :
         {"odd.grdecl: grid 2 x 1 x 1 (2 cells, 2 active), 2 properties (PORO, "
          "PORO_UPSCALED_V2), no split nodes",
          "line 22: PERMX has 3 values, but the 2 x 1 x 1 grid has 2 cells; PERMX skipped",
          "line 24: PORO_UPSCALED_V2 is not ended by '/' before ECHO on line 26"}) {
        EXPECT_TRUE(contains(summary, comment)) << comment << "\n" << summary;
    }
}

TEST_F(GrdeclReaderTest, FailsBadFilesNamingTheLine) {
    std::string const cp = test::readBytes(dataFile("CP.GRDECL"));
    for (auto const& [text, reason] : std::vector<std::pair<std::string, char const*>>{
             {cp.substr(0, cp.size() / 2),
              "bad.grdecl: <b><font color='red'>Failed</font></b><br "
              "/>the file ends inside ZCORN (begun on line 269) after "},
             {replacedOnLine(cp, 270, "6825.000", "2*6825.000"),
              "line 269: ZCORN has 8,001 values; a 20 x 5 x 10 grid needs 8,000"},
             {replacedOnLine(cp, 970, "7503.000", "7503.OOO"),
              "line 970: &quot;7503.OOO&quot; in ZCORN (begun on line 269) is not a number"},
             {"INCLUDE\n 'bad.grdecl' /\n", "includes a file that is being read"},
             {"SPECGRID\n 1 1 1 /\nINCLUDE\n 'missing.inc' /\n",
              "line 3: INCLUDE of &quot;missing.inc&quot;: the file cannot be read"}}) {
        EXPECT_TRUE(contains(failure(text), reason)) << reason;
    }
    EXPECT_EQ(AbstractFileReader::IMPORT_FAILED,
              readFiles({QDir(test::scratchDirectory()).filePath("nothing.grdecl")}));
    EXPECT_TRUE(contains(
        summary,
        "nothing.grdecl: <b><font color='red'>Failed</font></b><br />cannot open the file"));

    // One good and one bad file: the good grid loads, the import reports the failure.
    EXPECT_EQ(AbstractFileReader::IMPORT_FAILED,
              readFiles({dataFile("CP.GRDECL"),
                         test::writeScratch(QStringLiteral("cut.grdecl"), cp.substr(0, 5000))}));
    EXPECT_EQ(1u, document().object_count());
    EXPECT_TRUE(contains(summary, "CP.GRDECL: <b>OK</b>"));
    EXPECT_TRUE(contains(
        summary,
        "cut.grdecl: <b><font color='red'>Failed</font></b><br />the file ends inside COORD"));

    GrdeclReader reader;
    auto const source = boost::make_shared<housekeeping::DataSource>(
        utilities::filesystem_to_url(dataFile("CP.GRDECL")), nullptr);
    EXPECT_EQ(AbstractFileReader::IMPORT_FAILED,
              reader.import_data(source, housekeeping::DocumentId(), true, nullptr, false));
    EXPECT_TRUE(contains(reader.import_summary().toStdString(),
                         "CP.GRDECL: <b><font color='red'>Failed</font></b><br />there is no "
                         "document to read the grid into"));
}

TEST_F(GrdeclReaderTest, CancelAddsNothingAndProgressMoves) {
    QString const path =
        test::writeScratch(QStringLiteral("large.grdecl"), test::gridText(60, 60, 30, 20, 3));
    CancellingProgress cancelling;
    cancelling.cancel = true;
    EXPECT_EQ(AbstractFileReader::IMPORT_CANCELLED, readFiles({path}, &cancelling));
    EXPECT_EQ(0u, document().object_count());
    EXPECT_EQ("<br />\nCancelled: nothing was imported.<br />\n", summary);
    EXPECT_EQ(1, cancelling.questions); // stopped at the first question

    // As the loader sets the bar up for one file.
    import::ProgressCancelHook::setSize(1);
    import::ProgressCancelHook::setFileProgress(0, 100.0);
    CancellingProgress watching;
    ASSERT_EQ(AbstractFileReader::IMPORT_OK, readFiles({path}, &watching)) << summary;
    EXPECT_GE(watching.questions, 3);
    ASSERT_GE(watching.values.size(), 3u);
    EXPECT_TRUE(std::is_sorted(watching.values.begin(), watching.values.end()));
    EXPECT_GT(watching.values.back(), 50);
    EXPECT_LE(watching.values.back(), 100);
}
