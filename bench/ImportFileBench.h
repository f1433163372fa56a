#ifndef QUARRO_BENCH_IMPORTFILEBENCH_H
#define QUARRO_BENCH_IMPORTFILEBENCH_H

// The loop the import benchmarks share: one file imported per iteration into a
// fresh document, the document made and destroyed outside the timing, and a
// main running the cases in a QCoreApplication.
#include "AbstractFileReader.h"
#include "BenchmarkMain.h"
#include "housekeeping/DataSource.h"
#include "housekeeping/DocumentManager.h"
#include "utilities/UrlUtilities.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <benchmark/benchmark.h>
#include <boost/make_shared.hpp>

#include <string>

namespace quarro {
namespace bench {

// Imports `path` once per iteration with a new Reader: `body(reader, source,
// id)` runs the import (timed) and says whether it ended as expected;
// `after(id)` looks at the document untimed. An empty path skips the case with
// `error` (how to get the file).
template <class Reader, class Body, class After>
void importFileLoop(benchmark::State& state, QString const& path, std::string const& error,
                    Body body, After after) {
    if (path.isEmpty()) {
        state.SkipWithError(error.c_str());
        return;
    }
    auto const source =
        boost::make_shared<housekeeping::DataSource>(utilities::filesystem_to_url(path), nullptr);
    housekeeping::DocumentManager& documents = housekeeping::DocumentManager::instance();
    for (auto _ : state) {
        state.PauseTiming();
        housekeeping::DocumentId const id = documents.create_document();
        state.ResumeTiming();
        Reader reader;
        if (!body(reader, source, id)) {
            state.SkipWithError("the import did not end as expected");
            break;
        }
        state.PauseTiming();
        after(id);
        documents.destroy_all();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * QFileInfo(path).size());
}

// The plain import as the loader runs it, without a progress bar.
template <class Reader>
void importFileLoop(benchmark::State& state, QString const& path, std::string const& error = "") {
    importFileLoop<Reader>(
        state, path, error,
        [](Reader& reader, auto const& source, auto const& id) {
            return reader.import_data(source, id, true, nullptr, false) ==
                   import::AbstractFileReader::IMPORT_OK;
        },
        [](auto const&) {});
}

} // namespace bench
} // namespace quarro

#endif // QUARRO_BENCH_IMPORTFILEBENCH_H
