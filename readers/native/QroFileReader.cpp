#include "QroFileReader.h"

#include "DocumentReader.h"
#include "ProgressCancelHook.h"
#include "housekeeping/DataSource.h"
#include "housekeeping/Document.h"
#include "housekeeping/DocumentManager.h"
#include "importwidgets/CancelHook.h"
#include "model/GeoObject.h"
#include "utilities/UrlUtilities.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <algorithm>
#include <exception>
#include <memory>
#include <utility>
#include <vector>

namespace quarro {
namespace native {

namespace {

// verify() looks at no more of a file than the base class does.
constexpr qint64 verifyProbeLength = 1024;

// Maps the progress of one file onto its share of an import of several files.
struct FileShare {
    import::ProgressCancelHook* hook;
    int index;
    int count;

    static bool isCancelled(void* user) {
        return import::ProgressCancelHook::isCancelled(static_cast<FileShare*>(user)->hook);
    }
    static void progress(void* user, double percent) {
        auto const* share = static_cast<FileShare*>(user);
        import::ProgressCancelHook::progress(share->hook,
                                             (share->index * 100.0 + percent) / share->count);
    }
};

// What became of one file; registered once the whole import is known not to be cancelled.
struct Outcome {
    QString name;
    QString failure; // empty for a success
    QString summary;
    std::vector<std::unique_ptr<model::GeoObject>> objects;
    std::string journal;
};

// "3 objects (Well 2, Point set 1), format version 1, compressed".
QString contentSummary(DocumentReader const& reader) {
    std::vector<std::pair<QString, int>> kinds;
    for (auto const& object : reader.objects()) {
        QString const kind = object->kindName();
        auto it = std::find_if(kinds.begin(), kinds.end(),
                               [&kind](auto const& entry) { return entry.first == kind; });
        if (it == kinds.end()) {
            kinds.emplace_back(kind, 1);
        } else {
            ++it->second;
        }
    }
    QStringList counts;
    for (auto const& entry : kinds) {
        counts << QStringLiteral("%1 %2").arg(entry.first).arg(entry.second);
    }
    std::size_t const count = reader.objects().size();
    QString const content =
        count == 0 ? QStringLiteral("no objects")
                   : QStringLiteral("%1 %2 (%3)")
                         .arg(count)
                         .arg(count == 1 ? QStringLiteral("object") : QStringLiteral("objects"))
                         .arg(counts.join(QStringLiteral(", ")));
    return QStringLiteral("%1, format version %2%3")
        .arg(content)
        .arg(reader.formatVersion())
        .arg(reader.wasCompressed() ? QStringLiteral(", compressed") : QString());
}

} // namespace

QroFileReader::QroFileReader() = default;

QroFileReader::~QroFileReader() = default;

std::string QroFileReader::data_type() {
    return "Quarro";
}

std::string QroFileReader::file_filter() {
    return "QRO Format (*.qro *.quarro *.qroz)";
}

std::vector<std::string> QroFileReader::supported_extentions() const {
    return {"qro", "quarro", "qroz"};
}

std::bitset<4> QroFileReader::verify(std::string const& url, QString& message) {
    std::bitset<4> result = AbstractFileReader::verify(url, message);
    QFile file(utilities::url_to_filesystem(url));
    if (!result.test(VERIFY_READABLE) || !file.open(QIODevice::ReadOnly)) {
        result.reset();
        message = QStringLiteral("the file cannot be read");
        return result;
    }
    if (DocumentReader::looksLikeNativeDocument(file.read(verifyProbeLength), message)) {
        result.set(VERIFY_ACCEPTED);
    } else {
        result.reset(VERIFY_READABLE);
    }
    return result;
}

import::AbstractFileReader::ImportState QroFileReader::import_data(
    boost::shared_ptr<housekeeping::DataSource> source, housekeeping::DocumentId const& document,
    bool /*importing*/, brkBase::AbstractProgress* progress,
    bool inserting){utilities::UrlList const urls = source ? source->urls() : utilities::UrlList();
auto* target = dynamic_cast<housekeeping::Document*>(
    housekeeping::DocumentManager::instance().document_from_id(document));
if (target == nullptr || urls.empty()) {
    QString const reason = target == nullptr
                               ? QStringLiteral("there is no document to read the objects into")
                               : QStringLiteral("no file given");
    if (urls.empty()) {
        register_failure(QString(), reason);
    }
    for (std::string const& url : urls) {
        register_failure(QString::fromStdString(utilities::file_from_url(url)).toHtmlEscaped(),
                         reason);
    }
    return IMPORT_FAILED;
}

import::ProgressCancelHook progressHook(progress);
std::vector<Outcome> outcomes;
int const count = static_cast<int>(urls.size());
for (int i = 0; i < count; ++i) {
    QString const path = utilities::url_to_filesystem(urls[static_cast<std::size_t>(i)]);
    Outcome outcome;
    outcome.name = QFileInfo(path).fileName();
    FileShare share{&progressHook, i, count};
    CancelHook const hook(&FileShare::isCancelled, &FileShare::progress, &share);
    try {
        DocumentReader reader(&hook);
        DocumentReader::Status const status = reader.readFile(path);
        if (status == DocumentReader::Status::Cancelled) {
            return IMPORT_CANCELLED;
        }
        if (status == DocumentReader::Status::Failed) {
            outcome.failure = reader.errorString();
        } else {
            outcome.summary = contentSummary(reader);
            outcome.journal = reader.journal();
            outcome.objects = reader.takeObjects();
        }
    } catch (std::exception const& e) {
        // Nothing the format allows gets here; should anything, the file fails alone.
        outcome.failure = QStringLiteral("the file could not be read: %1").arg(e.what());
    }
    outcomes.push_back(std::move(outcome));
}

bool failed = false;
bool loaded = false;
std::string journal;
for (Outcome& outcome : outcomes) {
    QString const name = outcome.name.toHtmlEscaped();
    if (!outcome.failure.isEmpty()) {
        register_failure(name, outcome.failure.toHtmlEscaped());
        failed = true;
        continue;
    }
    register_success(name);
    loaded = true;
    register_comment(outcome.summary.toHtmlEscaped());
    journal += outcome.journal;
    for (std::unique_ptr<model::GeoObject>& object : outcome.objects) {
        target->add_object(housekeeping::Document::ObjectPtr(object.release()));
    }
}
// A document opened from a file takes the file's journal; an insert keeps the target's own.
if (!inserting && loaded) {
    target->journal(journal, true);
}
return failed ? IMPORT_FAILED : IMPORT_OK;
} // namespace native

} // namespace quarro
} // namespace quarro
