#include "LasReader.h"

#include "LasParser.h"
#include "LasWell.h"
#include "ProgressCancelHook.h"
#include "housekeeping/DataSource.h"
#include "housekeeping/Document.h"
#include "housekeeping/DocumentManager.h"
#include "importwidgets/CancelHook.h"
#include "model/Well.h"
#include "utilities/UrlUtilities.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cctype>
#include <exception>
#include <memory>

namespace quarro {
namespace readers {

namespace {

// verify() looks at no more of a file than the base class does.
constexpr qint64 verify_probe_length = 1024;

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

// The bytes of a file in one piece: mapped when the system allows it, else read.
class FileBytes {
public:
    explicit FileBytes(QString const& path)
        : m_file(path) {}

    bool open(QString& error) {
        if (!m_file.open(QIODevice::ReadOnly)) {
            error = m_file.errorString();
            return false;
        }
        qint64 const size = m_file.size();
        if (size > 0) {
            if (uchar const* mapped = m_file.map(0, size)) {
                m_bytes = std::string_view(reinterpret_cast<char const*>(mapped),
                                           static_cast<std::size_t>(size));
                return true;
            }
        }
        m_buffer = m_file.readAll();
        if (m_file.error() != QFileDevice::NoError) {
            error = m_file.errorString();
            return false;
        }
        m_bytes = std::string_view(m_buffer.constData(), static_cast<std::size_t>(m_buffer.size()));
        return true;
    }

    std::string_view bytes() const { return m_bytes; }

private:
    QFile m_file;
    QByteArray m_buffer;
    std::string_view m_bytes;
};

// What became of one file; registered only once the whole import is known not to be cancelled.
struct Outcome {
    QString name;
    QString failure; // empty for a success
    QStringList comments;
    // Shown first and marked: the file may lack data it should hold.
    QStringList warnings;
};

} // namespace

LasReader::LasReader() = default;

LasReader::~LasReader() = default;

std::string LasReader::data_type() {
    return "Well";
}

std::string LasReader::file_filter() {
    return "LAS well logs (*.las *.LAS)";
}

std::vector<std::string> LasReader::supported_extentions() const {
    return {"las", "LAS"};
}

bool LasReader::looksLikeLas(std::string_view head, QString& reason) {
    if (head.substr(0, 3) == "\xEF\xBB\xBF") {
        head.remove_prefix(3);
    }
    if (head.find('\0') != std::string_view::npos) {
        reason = QStringLiteral("not a LAS well log: the file holds binary data");
        return false;
    }
    while (!head.empty()) {
        std::size_t const newline = head.find('\n');
        std::string_view line = head.substr(0, newline);
        head = newline == std::string_view::npos ? std::string_view() : head.substr(newline + 1);
        std::size_t const first = line.find_first_not_of(" \t\r\f\v");
        if (first == std::string_view::npos || line[first] == '#') {
            continue;
        }
        line.remove_prefix(first);
        // The section letters the parser reads: ~V, ~W, ~C, ~P, ~O, ~A.
        char const section =
            line.size() > 1 ? static_cast<char>(std::toupper(static_cast<unsigned char>(line[1])))
                            : '\0';
        if (line.front() == '~' && section != '\0' &&
            std::string_view("VWCPOA").find(section) != std::string_view::npos) {
            return true;
        }
        QString shown =
            QString::fromUtf8(line.data(), static_cast<int>(std::min<std::size_t>(line.size(), 40)))
                .trimmed();
        reason = QStringLiteral("not a LAS well log: it begins with \"%1\", not with a section "
                                "line such as ~VERSION")
                     .arg(shown);
        return false;
    }
    reason = QStringLiteral("not a LAS well log: no section line such as ~VERSION at its start");
    return false;
}

std::bitset<4> LasReader::verify(std::string const& url, QString& message) {
    std::bitset<4> result = AbstractFileReader::verify(url, message);
    QFile file(utilities::url_to_filesystem(url));
    if (!result.test(VERIFY_READABLE) || !file.open(QIODevice::ReadOnly)) {
        result.reset();
        message = QStringLiteral("the file cannot be read");
        return result;
    }
    QByteArray const head = file.read(verify_probe_length);
    if (looksLikeLas(std::string_view(head.constData(), static_cast<std::size_t>(head.size())),
                     message)) {
        result.set(VERIFY_ACCEPTED);
    } else {
        result.reset(VERIFY_READABLE);
    }
    return result;
}

import::AbstractFileReader::ImportState LasReader::import_data(
    boost::shared_ptr<housekeeping::DataSource> source, housekeeping::DocumentId const& document,
    bool /*importing*/, brkBase::AbstractProgress* progress,
    bool inserting){utilities::UrlList const urls = source ? source->urls() : utilities::UrlList();
auto* target = dynamic_cast<housekeeping::Document*>(
    housekeeping::DocumentManager::instance().document_from_id(document));
if (target == nullptr || urls.empty()) {
    QString const reason = target == nullptr
                               ? QStringLiteral("there is no document to read the wells into")
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
std::vector<std::unique_ptr<model::Well>> wells;
std::vector<Outcome> outcomes;
int const count = static_cast<int>(urls.size());
for (int i = 0; i < count; ++i) {
    QString const path = utilities::url_to_filesystem(urls[static_cast<std::size_t>(i)]);
    Outcome outcome{QFileInfo(path).fileName(), QString(), QStringList(), QStringList()};
    FileShare share{&progressHook, i, count};
    CancelHook const hook(&FileShare::isCancelled, &FileShare::progress, &share);
    try {
        FileBytes file(path);
        QString error;
        if (!file.open(error)) {
            outcome.failure = QStringLiteral("cannot open the file: %1").arg(error);
            outcomes.push_back(outcome);
            continue;
        }
        LasParser::Result parsed = LasParser(&hook).parse(file.bytes());
        if (parsed.status == LasParser::Status::Cancelled) {
            return IMPORT_CANCELLED;
        }
        if (parsed.status == LasParser::Status::Failed) {
            outcome.failure = parsed.error;
            outcomes.push_back(outcome);
            continue;
        }
        std::unique_ptr<model::Well> well = makeWell(parsed.file, outcome.name);
        outcome.comments << wellSummary(*well) << parsed.file.issues.comments();
        outcome.warnings = parsed.file.issues.warnings();
        wells.push_back(std::move(well));
    } catch (std::exception const& e) {
        // Out of memory, or a well the model refuses: the file fails, the import goes on.
        outcome.failure = QStringLiteral("the file could not be read: %1").arg(e.what());
    }
    outcomes.push_back(outcome);
}

bool failed = false;
for (Outcome const& outcome : outcomes) {
    QString const name = outcome.name.toHtmlEscaped();
    if (!outcome.failure.isEmpty()) {
        register_failure(name, outcome.failure.toHtmlEscaped());
        failed = true;
        continue;
    }
    register_success(name);
    for (QString const& warning : outcome.warnings) {
        register_comment(QStringLiteral("<b><font color='#c05000'>Warning:</font></b> %1")
                             .arg(warning.toHtmlEscaped()));
    }
    for (QString const& comment : outcome.comments) {
        register_comment(comment.toHtmlEscaped());
    }
}
for (std::unique_ptr<model::Well>& well : wells) {
    target->add_object(housekeeping::Document::ObjectPtr(well.release()));
}
if (inserting && !wells.empty()) {
    target->set_modified(true);
}
return failed ? IMPORT_FAILED : IMPORT_OK;
} // namespace readers

} // namespace quarro
} // namespace quarro
