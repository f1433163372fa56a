#include "GrdeclReader.h"
#include "GrdeclTestGrids.h"
#include "ProgressCancelHook.h"
#include "TestApplication.h"
#include "base/AbstractProgress.h"
#include "housekeeping/DataSource.h"
#include "housekeeping/Document.h"
#include "housekeeping/DocumentManager.h"
#include "model/CornerPointGrid.h"
#include "utilities/UrlUtilities.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <boost/make_shared.hpp>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <string>
#include <vector>

using namespace quarro;
using housekeeping::DataSource;
using housekeeping::Document;
using housekeeping::DocumentId;
using housekeeping::DocumentManager;
using import::AbstractFileReader;
using model::CornerPointGrid;
using readers::GrdeclReader;

namespace {

struct Import {
    AbstractFileReader::ImportState state = AbstractFileReader::IMPORT_FAILED;
    std::string summary;
    std::vector<CornerPointGrid const*> grids;
    std::size_t objects = 0;
};

class GrdeclReaderTest : public ::testing::Test {
protected:
    void SetUp() override { DocumentManager::instance().destroy_all(); }
    void TearDown() override { DocumentManager::instance().destroy_all(); }

    Import read(QStringList const& paths, brkBase::AbstractProgress* progress = nullptr) {
        DocumentId const id = DocumentManager::instance().create_document();
        GrdeclReader reader;
        auto const source =
            boost::make_shared<DataSource>(utilities::filesystem_to_url(paths), nullptr);
        Import result;
        result.state = reader.import_data(source, id, true, progress, false);
        result.summary = reader.import_summary().toStdString();
        if (auto* document =
                dynamic_cast<Document*>(DocumentManager::instance().document_from_id(id))) {
            result.objects = document->object_count();
            for (Document::ObjectPtr const& object : document->objects()) {
                result.grids.push_back(dynamic_cast<CornerPointGrid const*>(object.get()));
            }
        }
        return result;
    }

    // Reads one file that must load; the grid stays valid until the next read.
    CornerPointGrid const& readGrid(QString const& path) {
        m_last = read({path});
        EXPECT_EQ(AbstractFileReader::IMPORT_OK, m_last.state) << m_last.summary;
        EXPECT_EQ(1u, m_last.grids.size());
        static CornerPointGrid const empty;
        return m_last.grids.empty() || m_last.grids.front() == nullptr ? empty
                                                                       : *m_last.grids.front();
    }

    static QString writeScratch(QString const& name, QByteArray const& content) {
        QString const path = QDir(test::scratchDirectory()).filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
        file.write(content);
        return path;
    }

    static QByteArray dataBytes(QString const& name) {
        QFile file(test::dataFile(QStringLiteral("grdecl/") + name));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }

    // Reads `text` as a file that must fail, and returns the summary.
    std::string failure(QByteArray const& text) {
        Import const result = read({writeScratch(QStringLiteral("bad.grdecl"), text)});
        EXPECT_EQ(AbstractFileReader::IMPORT_FAILED, result.state) << text.left(200).toStdString();
        EXPECT_EQ(0u, result.objects);
        return result.summary;
    }

    Import m_last;
};

// A text property of the object: CornerPointGrid::property() names the cell properties.
std::string objectProperty(model::GeoObject const& object, char const* key) {
    return object.property(QString::fromLatin1(key)).toStdString();
}

double sum(std::vector<double> const* values) {
    return values != nullptr ? std::accumulate(values->begin(), values->end(), 0.0) : -1.0;
}

// The text with the first `from` on line `line` (counted from 1) replaced.
QByteArray replacedOnLine(QByteArray const& text, int line, QByteArray const& from,
                          QByteArray const& to) {
    QList<QByteArray> lines = text.split('\n');
    QByteArray& changed = lines[line - 1];
    int const at = changed.indexOf(from);
    EXPECT_GE(at, 0) << "line " << line;
    changed.replace(at, from.size(), to);
    return lines.join('\n');
}

bool contains(std::string const& text, std::string const& part) {
    return text.find(part) != std::string::npos;
}

class CancellingProgress : public brkBase::AbstractProgress {
public:
    explicit CancellingProgress(bool cancel)
        : m_cancel(cancel) {}
    void set_value(int value) override {
        values.push_back(value);
        AbstractProgress::set_value(value);
    }
    bool cancelled() const override {
        ++questions;
        return m_cancel;
    }
    std::vector<int> values;
    mutable int questions = 0;

private:
    bool m_cancel;
};

} // namespace

TEST_F(GrdeclReaderTest, ReadsTheRealGrids) {
    CornerPointGrid const& cp = readGrid(test::dataFile(QStringLiteral("grdecl/CP.GRDECL")));
    EXPECT_EQ("CP", cp.name().toStdString());
    EXPECT_EQ(20, cp.ni());
    EXPECT_EQ(5, cp.nj());
    EXPECT_EQ(10, cp.nk());
    EXPECT_EQ(1000u, cp.activeCellCount());
    EXPECT_EQ(8000u, cp.zcorn().size());
    EXPECT_EQ(6825.0, cp.zcorn().front());
    EXPECT_EQ(7673.0, cp.zcorn().back());
    EXPECT_EQ(126u, cp.pillars().size());
    EXPECT_EQ(7023.0, cp.pillars().front().bottom.z);
    EXPECT_EQ("132", objectProperty(cp, "Split nodes"));
    EXPECT_EQ("CP.GRDECL: <b>OK</b><br />\n<br />\nCP.GRDECL: grid 20 x 5 x 10 (1,000 cells, "
              "1,000 active), no properties, 132 split nodes<br />\n",
              m_last.summary);

    CornerPointGrid const& simple =
        readGrid(test::dataFile(QStringLiteral("grdecl/Simple10x10x3_Fault.grdecl")));
    EXPECT_EQ(300u, simple.cellCount());
    EXPECT_EQ(300u, simple.activeCellCount());
    EXPECT_EQ(0.025, simple.zcorn().front());
    EXPECT_EQ(0.375, simple.zcorn().back());
    EXPECT_EQ("88", objectProperty(simple, "Split nodes"));

    CornerPointGrid const& snark =
        readGrid(test::dataFile(QStringLiteral("grdecl/snarkgrid.grdecl")));
    EXPECT_EQ(14, snark.ni());
    EXPECT_EQ(14, snark.nj());
    EXPECT_EQ(5, snark.nk());
    EXPECT_EQ(980u, snark.activeCellCount());
    EXPECT_EQ(3431.8538, snark.zcorn().front());
    EXPECT_EQ(4025.3779, snark.zcorn().back());
    EXPECT_EQ((QStringList{"PORO", "PERMX", "PERMY", "PERMZ", "NTG"}), snark.propertyNames());
    EXPECT_NEAR(237.09449100196514, sum(snark.property(QStringLiteral("PORO"))), 1e-9);
    EXPECT_NEAR(55527.33989080003, sum(snark.property(QStringLiteral("PERMX"))), 1e-7);
    EXPECT_NEAR(587.0274052030001, sum(snark.property(QStringLiteral("NTG"))), 1e-9);
    ASSERT_TRUE(snark.mapAxes());
    EXPECT_EQ(0.54950006E+06, (*snark.mapAxes())[0]);
    EXPECT_EQ(0.67980000E+07, (*snark.mapAxes())[5]);
    EXPECT_EQ("FEET", objectProperty(snark, "Map units"));
    EXPECT_EQ("FAULTS1, FAULTS2, FAULTS3", objectProperty(snark, "Faults"));
    EXPECT_EQ("462", objectProperty(snark, "Split nodes"));
    EXPECT_TRUE(contains(m_last.summary,
                         "snarkgrid.grdecl: grid 14 x 14 x 5 (980 cells, 980 active), "
                         "5 properties (PORO, PERMX, PERMY, PERMZ, NTG), 462 split nodes, "
                         "3 faults<br />\n<br />\nKeywords not read: PINCH<br />\n"))
        << m_last.summary;
}

TEST_F(GrdeclReaderTest, ReadsOddButReadableFiles) {
    // CRLF line ends, an end-of-file byte, a Latin-1 degree sign in a comment, lower-case
    // keywords and the grid split over an included file with a non-ASCII name.
    QByteArray simple = dataBytes(QStringLiteral("Simple10x10x3_Fault.grdecl"));
    simple.replace("\n", "\r\n");
    simple.replace("SPECGRID", "-- 20\xB0 dip\r\nspecgrid");
    int const zcorn = simple.indexOf("ZCORN");
    writeScratch(QStringLiteral("zône.inc"), simple.mid(zcorn) + "\x1A");
    QByteArray const main = simple.left(zcorn) + "INCLUDE\r\n 'zône.inc' /\r\n";
    QString const path = writeScratch(QStringLiteral("grille été.grdecl"), main);
    CornerPointGrid const& grid = readGrid(path);
    EXPECT_EQ(300u, grid.activeCellCount());
    EXPECT_EQ(0.375, grid.zcorn().back());
    EXPECT_EQ("88", objectProperty(grid, "Split nodes"));
    EXPECT_EQ("grille été", grid.name().toStdString());
    EXPECT_TRUE(contains(m_last.summary, "grille été.grdecl: grid 10 x 10 x 3")) << m_last.summary;

    // Keywords without data, long names, comments beside keywords, a short property, a missing
    // '/': the grid loads and each fault has its comment.
    std::string const text = "NOECHO\nGRID\n" + test::gridText(2, 1, 1) +
                             "PORO -- porosity\n 0.2 0.3 /\n"
                             "NTG\n"
                             "PERMX\n 1 2 3 /\n"
                             "PORO_UPSCALED_V2\n 0.1 0.2\n"
                             "ECHO\n";
    CornerPointGrid const& odd =
        readGrid(writeScratch(QStringLiteral("odd.grdecl"), QByteArray::fromStdString(text)));
    EXPECT_EQ((QStringList{"PORO", "PORO_UPSCALED_V2"}), odd.propertyNames());
    for (char const* comment :
         {"odd.grdecl: grid 2 x 1 x 1 (2 cells, 2 active), 2 properties (PORO, "
          "PORO_UPSCALED_V2), no split nodes",
          "line 21: NTG has no values; skipped",
          "line 22: PERMX has 3 values, but the 2 x 1 x 1 grid has 2 cells; PERMX skipped",
          "line 24: keyword PORO_UPSCALED_V2 is longer than 8 characters",
          "line 24: PORO_UPSCALED_V2 is not ended by '/' before ECHO on line 26"}) {
        EXPECT_TRUE(contains(m_last.summary, comment)) << comment << "\n" << m_last.summary;
    }
}

TEST_F(GrdeclReaderTest, FailsBadFilesNamingTheLine) {
    QByteArray const cp = dataBytes(QStringLiteral("CP.GRDECL"));
    EXPECT_TRUE(contains(failure(cp.left(cp.size() / 2)),
                         "bad.grdecl: <b><font color='red'>Failed</font></b><br />the file ends "
                         "inside ZCORN (begun on line 269) after "));
    EXPECT_TRUE(contains(failure(replacedOnLine(cp, 270, "6825.000", "2*6825.000")),
                         "line 269: ZCORN has 8,001 values; a 20 x 5 x 10 grid needs 8,000"));
    EXPECT_TRUE(contains(failure(replacedOnLine(cp, 970, "7503.000", "7503.OOO")),
                         "line 970: &quot;7503.OOO&quot; in ZCORN (begun on line 269) is not a "
                         "number"));
    QByteArray noSpecgrid = cp;
    noSpecgrid.replace("SPECGRID", "-- SPECGRID");
    EXPECT_TRUE(contains(failure(noSpecgrid), "the file has no SPECGRID (nor DIMENS)"));
    EXPECT_TRUE(contains(failure("INCLUDE\n 'bad.grdecl' /\n"), "line 1: INCLUDE of &quot;"
                                                                "bad.grdecl&quot; includes a "
                                                                "file that is being read"));
    EXPECT_TRUE(contains(failure("SPECGRID\n 1 1 1 /\nINCLUDE\n 'missing.inc' /\n"),
                         "line 3: INCLUDE of &quot;missing.inc&quot;: the file cannot be read"));

    Import const missing = read({QDir(test::scratchDirectory()).filePath("nothing.grdecl")});
    EXPECT_EQ(AbstractFileReader::IMPORT_FAILED, missing.state);
    EXPECT_TRUE(contains(missing.summary, "nothing.grdecl: <b><font color='red'>Failed</font>"
                                          "</b><br />cannot open the file"));

    // One good and one bad file: the good grid loads, the import reports the failure.
    Import const mixed = read({test::dataFile(QStringLiteral("grdecl/CP.GRDECL")),
                               writeScratch(QStringLiteral("cut.grdecl"), cp.left(5000))});
    EXPECT_EQ(AbstractFileReader::IMPORT_FAILED, mixed.state);
    EXPECT_EQ(1u, mixed.objects);
    EXPECT_TRUE(contains(mixed.summary, "CP.GRDECL: <b>OK</b>"));
    EXPECT_TRUE(contains(mixed.summary, "cut.grdecl: <b><font color='red'>Failed</font></b><br />"
                                        "the file ends inside COORD"));

    GrdeclReader reader;
    auto const source = boost::make_shared<DataSource>(
        utilities::filesystem_to_url(test::dataFile(QStringLiteral("grdecl/CP.GRDECL"))), nullptr);
    EXPECT_EQ(AbstractFileReader::IMPORT_FAILED,
              reader.import_data(source, DocumentId(), true, nullptr, false));
    EXPECT_TRUE(contains(reader.import_summary().toStdString(),
                         "CP.GRDECL: <b><font color='red'>Failed</font></b><br />there is no "
                         "document to read the grid into"));
}

TEST_F(GrdeclReaderTest, VerifyLooksAtTheContent) {
    GrdeclReader reader;
    EXPECT_EQ("Eclipse corner-point grids (*.grdecl *.GRDECL)", reader.file_filter());
    EXPECT_EQ((std::vector<std::string>{"grdecl", "GRDECL"}), reader.supported_extentions());
    EXPECT_EQ("Grid", reader.data_type());
    for (char const* name : {"CP.GRDECL", "Simple10x10x3_Fault.grdecl", "snarkgrid.grdecl"}) {
        QString message = QStringLiteral("untouched");
        std::string const url =
            utilities::filesystem_to_url(test::dataFile(QStringLiteral("grdecl/") + name));
        EXPECT_EQ(std::bitset<4>("1001"), reader.verify(url, message)) << name;
        EXPECT_EQ("untouched", message.toStdString());
    }
    struct Case {
        QByteArray content;
        std::bitset<4> bits;
        char const* message;
    };
    for (Case const& c : std::vector<Case>{
             {QByteArray(2000, '-'), std::bitset<4>("1001"), ""},
             {"\xEF\xBB\xBF\r\n-- c\r\nPORO\r\n 0.1 /", std::bitset<4>("1001"), ""},
             {"~VERSION INFORMATION\n VERS. 2.0 :\n", std::bitset<4>("0000"),
              "not an Eclipse grid file: it begins with \"~VERSION INFORMATION\", not with a "
              "keyword such as SPECGRID or COORD"},
             {"ncols 43\nnrows 89\n", std::bitset<4>("0000"), "\"ncols 43\""},
             {QByteArray("SPECGRID\0\x01", 10), std::bitset<4>("0000"), "binary data"},
             {"", std::bitset<4>("0000"), "it holds no keyword"},
         }) {
        QString message;
        std::string const url =
            utilities::filesystem_to_url(writeScratch(QStringLiteral("probe.grdecl"), c.content));
        EXPECT_EQ(c.bits, reader.verify(url, message)) << c.content.left(40).toStdString();
        EXPECT_TRUE(contains(message.toStdString(), c.message)) << message.toStdString();
    }
    QString message;
    EXPECT_EQ(std::bitset<4>(), reader.verify("file:///no/such/file.grdecl", message));
    EXPECT_EQ("the file cannot be read", message.toStdString());
}

TEST_F(GrdeclReaderTest, CancelAddsNothingAndProgressMoves) {
    QString const path = writeScratch(QStringLiteral("large.grdecl"),
                                      QByteArray::fromStdString(test::gridText(60, 60, 30, 20, 3)));

    CancellingProgress cancelling(true);
    Import const cancelled = read({path}, &cancelling);
    EXPECT_EQ(AbstractFileReader::IMPORT_CANCELLED, cancelled.state);
    EXPECT_EQ(0u, cancelled.objects);
    EXPECT_EQ("<br />\nCancelled: nothing was imported.<br />\n", cancelled.summary);
    EXPECT_EQ(1, cancelling.questions); // stopped at the first question

    // As the loader sets the bar up for one file.
    import::ProgressCancelHook::setSize(1);
    import::ProgressCancelHook::setFileProgress(0, 100.0);
    CancellingProgress watching(false);
    Import const complete = read({path}, &watching);
    ASSERT_EQ(AbstractFileReader::IMPORT_OK, complete.state) << complete.summary;
    EXPECT_GE(watching.questions, 3);
    ASSERT_GE(watching.values.size(), 3u);
    EXPECT_TRUE(std::is_sorted(watching.values.begin(), watching.values.end()));
    EXPECT_GT(watching.values.back(), 50);
    EXPECT_LE(watching.values.back(), 100);
}
