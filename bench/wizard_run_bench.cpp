// One run of the import wizard over N small files (N = 100, 1,000, 10,000), as File > Open or a
// drop of that many files would start it: the first file is read into a new document, every later
// one is inserted through an undoable command, each gets a log line and a summary entry. The
// reader is trivial and times itself, so that the per-file overhead of everything around it can
// be told apart: target under 2 ms per file, flat in N.
#include "AbstractFileReader.h"
#include "AbstractFileReaderFactory.h"
#include "ConcreteProductFactory.h"
#include "DocumentInsertImplementation.h"
#include "ImportManager.h"
#include "WizardWatcher.h"
#include "housekeeping/DataSource.h"
#include "housekeeping/Document.h"
#include "housekeeping/DocumentManager.h"
#include "model/PointSet.h"
#include "utilities/UrlUtilities.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStringList>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <boost/make_shared.hpp>

#include <chrono>
#include <map>
#include <memory>

namespace {

using Clock = std::chrono::steady_clock;

Clock::duration& reader_time() {
    static Clock::duration time{};
    return time;
}

// One point per file: as little reading as a reader can do.
class TinyReader : public quarro::import::AbstractFileReader {
public:
    std::string data_type() override { return "Points"; }
    std::string file_filter() override { return "Bench points (*.pts)"; }
    std::vector<std::string> supported_extentions() const override { return {"pts"}; }

    ImportState import_data(boost::shared_ptr<quarro::housekeeping::DataSource> source,
                            quarro::housekeeping::DocumentId const& id, bool,
                            brkBase::AbstractProgress*, bool) override {
        Clock::time_point const start = Clock::now();
        auto* document = dynamic_cast<quarro::housekeeping::Document*>(
            quarro::housekeeping::DocumentManager::instance().document_from_id(id));
        ImportState state = IMPORT_FAILED;
        QString const path = quarro::utilities::url_to_filesystem(source->url());
        QFile file(path);
        if (document != nullptr && file.open(QIODevice::ReadOnly)) {
            QList<QByteArray> const words = file.readAll().simplified().split(' ');
            auto points = boost::make_shared<quarro::model::PointSet>();
            points->setName(QFileInfo(path).fileName());
            points->addPoint(quarro::model::Point3<double>(
                words.value(0).toDouble(), words.value(1).toDouble(), words.value(2).toDouble()));
            document->add_object(points);
            register_success(QFileInfo(path).fileName());
            state = IMPORT_OK;
        }
        reader_time() += Clock::now() - start;
        return state;
    }
};

quarro::import::ConcreteProductFactory<quarro::import::AbstractFileReaderFactory, TinyReader> const
    s_reader("BENCHPTS");

// The files of one size of run, written once.
QStringList const& files(int count) {
    static QTemporaryDir folder;
    static std::map<int, QStringList> written;
    QStringList& list = written[count];
    if (list.isEmpty()) {
        QDir(folder.path()).mkdir(QString::number(count));
        for (int i = 0; i < count; ++i) {
            QString const path = QStringLiteral("%1/%2/p%3.pts")
                                     .arg(folder.path())
                                     .arg(count)
                                     .arg(i, 5, 10, QLatin1Char('0'));
            QFile file(path);
            file.open(QIODevice::WriteOnly);
            file.write(QByteArray::number(i) + " 2 3\n");
            list << path;
        }
    }
    return list;
}

void close_all_documents() {
    quarro::housekeeping::DocumentManager& documents =
        quarro::housekeeping::DocumentManager::instance();
    for (quarro::housekeeping::DocumentId const& id : documents.current_documents()) {
        documents.destroy_document(id, true, true, false, quarro::housekeeping::DocumentId::null());
    }
}

void BM_WizardRunOverSmallFiles(benchmark::State& state) {
    int const count = static_cast<int>(state.range(0));
    QStringList const& list = files(count);
    quarro::app::WizardWatcher watcher(true);
    double overhead_ms = 0.0;
    for (auto _ : state) {
        reader_time() = Clock::duration{};
        Clock::time_point const start = Clock::now();
        quarro::import::ImportManager::instance().open_urls_using_key(
            list, "BENCHPTS", quarro::housekeeping::DocumentId::null());
        Clock::duration const total = Clock::now() - start;
        overhead_ms =
            std::chrono::duration<double, std::milli>(total - reader_time()).count() / count;
        state.PauseTiming();
        if (watcher.take_runs().size() != 1) {
            state.SkipWithError("the wizard did not run");
        }
        close_all_documents();
        state.ResumeTiming();
    }
    state.counters["overhead_ms_per_file"] = overhead_ms;
    state.counters["files"] = count;
}
BENCHMARK(BM_WizardRunOverSmallFiles)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QTemporaryDir settings;
    QCoreApplication::setOrganizationName(QStringLiteral("QuarroBench"));
    QCoreApplication::setApplicationName(QStringLiteral("wizard_run_bench"));
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
    quarro::app::DocumentInsertImplementation::register_products();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
