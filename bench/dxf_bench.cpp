// Speed of the DXF reader on a generated drawing of about 50 MB: the parser
// alone on text in memory, and the whole import (file read, parse, objects
// added to a document).
//
// The drawing is made here, so the benchmark needs no outside tools: mostly
// lightweight polylines of 40 vertices on eight layers, with R12 polylines of
// 3D vertices, lines, points and 3D faces between them, coordinates in a
// UTM-like range written with 6 decimals, group codes right-aligned as AutoCAD
// writes them.
#include "DxfParser.h"
#include "DxfReader.h"
#include "housekeeping/DataSource.h"
#include "housekeeping/Document.h"
#include "housekeeping/DocumentManager.h"
#include "model/GeoObject.h"
#include "utilities/UrlUtilities.h"

#include "ImportFileBench.h"
#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <string>

namespace {

using quarro::readers::DxfParser;

constexpr std::size_t targetBytes = 50u * 1024u * 1024u;

class DrawingWriter {
public:
    explicit DrawingWriter(std::string& out)
        : m_out(out) {}

    void group(int code, char const* value) {
        char buffer[8];
        std::snprintf(buffer, sizeof buffer, "%3d\n", code);
        m_out += buffer;
        m_out += value;
        m_out += '\n';
    }

    void number(int code, double value) {
        char buffer[32];
        auto const result =
            std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6);
        *result.ptr = '\0';
        group(code, buffer);
    }

    // A deterministic walk through a 100 km square.
    double next() {
        m_state = m_state * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<double>(m_state >> 11) / static_cast<double>(1ULL << 53);
    }

private:
    std::string& m_out;
    std::uint64_t m_state = 42;
};

std::string makeDrawing(std::size_t bytes) {
    static char const* const layers[] = {"Faults", "Contours", "Outcrop", "Roads",
                                         "Rivers", "Wells",    "Lease",   "Grid"};
    std::string text;
    text.reserve(bytes + 4096);
    DrawingWriter w(text);
    w.group(0, "SECTION");
    w.group(2, "HEADER");
    w.group(9, "$ACADVER");
    w.group(1, "AC1027");
    w.group(0, "ENDSEC");
    w.group(0, "SECTION");
    w.group(2, "ENTITIES");
    for (int feature = 0; text.size() < bytes; ++feature) {
        char const* const layer = layers[feature % 8];
        double const x0 = 500000.0 + 100000.0 * w.next();
        double const y0 = 6700000.0 + 100000.0 * w.next();
        switch (feature % 20) {
        case 0: // an R12 polyline of 3D vertices
            w.group(0, "POLYLINE");
            w.group(8, layer);
            w.group(66, "1");
            w.group(70, "8");
            for (int v = 0; v < 20; ++v) {
                w.group(0, "VERTEX");
                w.group(8, layer);
                w.number(10, x0 + 10.0 * v);
                w.number(20, y0 + 50.0 * w.next());
                w.number(30, -1000.0 * w.next());
                w.group(70, "32");
            }
            w.group(0, "SEQEND");
            w.group(8, layer);
            break;
        case 1:
            w.group(0, "LINE");
            w.group(8, layer);
            w.number(10, x0);
            w.number(20, y0);
            w.number(30, 0.0);
            w.number(11, x0 + 100.0 * w.next());
            w.number(21, y0 + 100.0 * w.next());
            w.number(31, 0.0);
            break;
        case 2:
            w.group(0, "POINT");
            w.group(8, layer);
            w.number(10, x0);
            w.number(20, y0);
            w.number(30, -500.0 * w.next());
            break;
        case 3:
            w.group(0, "3DFACE");
            w.group(8, layer);
            for (int c = 0; c < 4; ++c) {
                w.number(10 + c, x0 + 10.0 * (c % 2));
                w.number(20 + c, y0 + 10.0 * (c / 2));
                w.number(30 + c, 0.0);
            }
            break;
        default: // a lightweight polyline, the bulk of modern drawings
            w.group(0, "LWPOLYLINE");
            w.group(5, "1F");
            w.group(100, "AcDbEntity");
            w.group(8, layer);
            w.group(100, "AcDbPolyline");
            w.group(90, "40");
            w.group(70, feature % 3 == 0 ? "1" : "0");
            w.number(43, 0.0);
            for (int v = 0; v < 40; ++v) {
                w.number(10, x0 + 25.0 * v);
                w.number(20, y0 + 100.0 * w.next());
            }
            break;
        }
    }
    w.group(0, "ENDSEC");
    w.group(0, "EOF");
    return text;
}

std::string const& drawing() {
    static std::string const text = makeDrawing(targetBytes);
    return text;
}

// The drawing as a file, written once; the text itself is not kept, so that the
// import's peak memory can be measured on its own.
QString const& drawingFile() {
    static QTemporaryDir folder;
    static QString const path = [] {
        QString const name = folder.filePath(QStringLiteral("bench.dxf"));
        std::string const text = makeDrawing(targetBytes);
        QFile file(name);
        if (!file.open(QIODevice::WriteOnly) ||
            file.write(text.data(), static_cast<qint64>(text.size())) !=
                static_cast<qint64>(text.size())) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(name));
        }
        return name;
    }();
    return path;
}

void BM_DxfParse(benchmark::State& state) {
    std::string const& text = drawing();
    std::size_t polylines = 0;
    for (auto _ : state) {
        DxfParser parser;
        if (parser.parse(text) != DxfParser::Outcome::Read) {
            state.SkipWithError("the generated drawing did not parse");
            return;
        }
        polylines = parser.drawing().polylines.size();
        benchmark::DoNotOptimize(polylines);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(text.size()));
    state.counters["polylines"] = static_cast<double>(polylines);
}
BENCHMARK(BM_DxfParse)->Unit(benchmark::kMillisecond);

void BM_DxfImport(benchmark::State& state) {
    using namespace quarro;
    QString const& path = drawingFile();
    auto& documents = housekeeping::DocumentManager::instance();
    quint64 points = 0;
    bench::importFileLoop<readers::DxfReader>(
        state, path, std::string(),
        [](readers::DxfReader& reader, auto const& source, auto const& id) {
            return reader.import_data(source, id, true, nullptr, false) ==
                   import::AbstractFileReader::IMPORT_OK;
        },
        [&](housekeeping::DocumentId const& id) {
            auto const* document =
                dynamic_cast<housekeeping::Document const*>(documents.document_from_id(id));
            points = document->objects().empty() ? 0 : document->objects().front()->sizeHint();
        });
    state.counters["file_MiB"] = static_cast<double>(QFile(path).size()) / (1024.0 * 1024.0);
    state.counters["points"] = static_cast<double>(points);
}
BENCHMARK(BM_DxfImport)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return quarro::bench::runBenchmarks<QCoreApplication>(argc, argv);
}
