// Checks the example reader through the import library, the way the application drives a reader:
// made by key from the factory its library registered while loading, reading into a document,
// throwing on a bad file, and stopping when the progress object says the user cancelled.
//
//     check_example_reader sample.xpts
//
// Prints one line per check; exit code 0 when every check holds.
#include "ExampleReader.h"

#include "base/AbstractProgress.h"
#include "housekeeping/DataSource.h"
#include "housekeeping/Document.h"
#include "housekeeping/DocumentManager.h"
#include "import/AbstractFileReaderFactory.h"
#include "import/ImportException.h"
#include "import/ProgressCancelHook.h"
#include "model/PointSet.h"
#include "utilities/UrlUtilities.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <boost/make_shared.hpp>

#include <algorithm>
#include <iostream>

namespace {

using quarro::housekeeping::Document;
using quarro::housekeeping::DocumentId;
using quarro::housekeeping::DocumentManager;
using quarro::import::AbstractFileReader;
using quarro::import::AbstractFileReaderFactory;

int g_failures = 0;

void check(bool holds, char const* what) {
    std::cout << (holds ? "ok   " : "FAIL ") << what << '\n';
    if (!holds) {
        ++g_failures;
    }
}

// Cancels the work as soon as the reader reports any progress, as a user pressing Cancel would.
class CancellingProgress : public brkBase::AbstractProgress {
public:
    void set_value(int value) override {
        AbstractProgress::set_value(value);
        if (value > 0) {
            cancel();
        }
    }
};

std::size_t object_count(DocumentId const& id) {
    auto const* document =
        dynamic_cast<Document const*>(DocumentManager::instance().document_from_id(id));
    return document != nullptr ? document->object_count() : 0;
}

AbstractFileReader::ImportState read(QString const& path, DocumentId const& id,
                                     brkBase::AbstractProgress* progress) {
    boost::shared_ptr<AbstractFileReader> const reader =
        AbstractFileReaderFactory::create("XPOINTS");
    auto const source = boost::make_shared<quarro::housekeeping::DataSource>(
        quarro::utilities::filesystem_to_url(path), nullptr);
    return reader->import_data(source, id, true, progress, false);
}

bool write(QString const& path, QByteArray const& text) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    if (argc != 2) {
        std::cerr << "usage: check_example_reader SAMPLE.xpts\n";
        return 2;
    }
    QString const sample = QString::fromLocal8Bit(argv[1]);
    QTemporaryDir scratch;

    std::vector<std::string> const keys = AbstractFileReaderFactory::products();
    check(std::find(keys.begin(), keys.end(), "XPOINTS") != keys.end(),
          "the static registration made the key XPOINTS known");
    check(dynamic_cast<example::ExampleReader*>(
              AbstractFileReaderFactory::create("XPOINTS").get()) != nullptr,
          "the factory makes an ExampleReader for XPOINTS");

    DocumentId const id = DocumentManager::instance().create_document();
    brkBase::AbstractProgress quiet;
    check(read(sample, id, &quiet) == AbstractFileReader::IMPORT_OK, "the sample reads");
    auto const* document =
        dynamic_cast<Document const*>(DocumentManager::instance().document_from_id(id));
    auto const* points =
        document != nullptr && document->object_count() == 1
            ? dynamic_cast<quarro::model::PointSet const*>(document->objects().front().get())
            : nullptr;
    check(points != nullptr && points->pointCount() == 3 && points->name() == "Top Brent",
          "the sample gives one point set \"Top Brent\" of 3 points");

    QString const bad = scratch.filePath("bad.xpts");
    write(bad, "XPOINTS 1\n1 2 3\n4 five 6\n");
    bool thrown = false;
    try {
        read(bad, id, &quiet);
    } catch (quarro::Exception const& error) {
        // Caught as the host's base class: the exception's type information is the libraries' own.
        thrown = dynamic_cast<quarro::import::ImportException const*>(&error) != nullptr &&
                 std::string(error.what()).find("line 3") != std::string::npos;
    }
    check(thrown, "a bad line throws an ImportException naming the line");
    check(object_count(id) == 1, "the bad file added nothing");

    QString const big = scratch.filePath("big.xpts");
    QByteArray text = "XPOINTS 1\n";
    for (int i = 0; i < 20000; ++i) {
        text += QByteArray::number(i) + " " + QByteArray::number(2 * i) + " -1000\n";
    }
    write(big, text);
    // The loader gives each file its share of the bar before reading it; here the one file has
    // the whole bar.
    quarro::import::ProgressCancelHook::setFileProgress(0, 100.0);
    CancellingProgress cancelling;
    check(read(big, id, &cancelling) == AbstractFileReader::IMPORT_CANCELLED,
          "cancelling through the progress object stops the read");
    check(cancelling.value() > 0 && cancelling.value() < 100,
          "the read reported its progress first");
    check(object_count(id) == 1, "the cancelled read added nothing");

    DocumentManager::instance().destroy_all();
    std::cout << (g_failures == 0 ? "all checks hold\n" : "some checks failed\n");
    return g_failures == 0 ? 0 : 1;
}
