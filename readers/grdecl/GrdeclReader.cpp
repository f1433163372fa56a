#include "GrdeclReader.h"

#include "GrdeclGridBuilder.h"
#include "GrdeclKeywords.h"
#include "GrdeclParser.h"
#include "GrdeclSourceFiles.h"
#include "GrdeclText.h"
#include "ProgressCancelHook.h"
#include "housekeeping/DataSource.h"
#include "housekeeping/Document.h"
#include "housekeeping/DocumentManager.h"
#include "importwidgets/CancelHook.h"
#include "model/CornerPointGrid.h"
#include "utilities/UrlUtilities.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <exception>
#include <memory>

namespace quarro {
namespace readers {

namespace {

// verify() looks at no more of a file than the base class does.
constexpr qint64 verify_probe_length = 1024;

// A line that holds nothing but a keyword in upper case of at most eight characters, perhaps
// followed by a comment or a '/': how a deck writes a keyword this reader does not know.
bool isDeckKeywordLine(std::string_view line, std::string_view word) {
    constexpr std::size_t longestKeyword = 8;
    if (word.empty() || word.size() > longestKeyword || !grdecl::looksLikeKeyword(word) ||
        grdecl::upperCase(word) != word) {
        return false;
    }
    std::string_view rest = line.substr(word.size());
    std::size_t const start = rest.find_first_not_of(" \t\r");
    rest = start == std::string_view::npos ? std::string_view() : rest.substr(start);
    return rest.empty() || rest.front() == '/' || rest.substr(0, 2) == "--";
}

// A line of a keyword's record: items (numbers, quoted or bare words, repeats) ended by '/', or
// a line of numbers that goes on below.
bool isRecordLine(std::string_view line) {
    if (line.find('/') != std::string_view::npos) {
        return true;
    }
    char const c = line.front();
    return (c >= '0' && c <= '9') || c == '-' || c == '+' || c == '.';
}

// Properties named in the summary line before the rest are only counted.
constexpr int named_properties = 6;

using import::ProgressCancelHook;

// Maps the progress of one file onto its share of an import of several files.
struct FileShare {
    ProgressCancelHook* hook;
    int index;
    int count;

    static bool isCancelled(void* user) {
        return ProgressCancelHook::isCancelled(static_cast<FileShare*>(user)->hook);
    }
    static void progress(void* user, double percent) {
        auto const* share = static_cast<FileShare*>(user);
        ProgressCancelHook::progress(share->hook, (share->index * 100.0 + percent) / share->count);
    }
};

// What became of one file; registered only once the whole import is known not to be cancelled.
struct Outcome {
    QString name;
    QString failure; // empty for a success
    QStringList comments;
};

QString plural(std::uint64_t count, QString const& one, QString const& many) {
    return QStringLiteral("%1 %2").arg(grdecl::groupedNumber(count), count == 1 ? one : many);
}

// "CP.GRDECL: grid 20 x 5 x 10 (1,000 cells, 1,000 active), no properties, 132 split nodes".
QString gridSummary(QString const& fileName, model::CornerPointGrid const& grid,
                    GrdeclGridBuilder::Result const& built) {
    QStringList const names = grid.propertyNames();
    QString properties = QStringLiteral("no properties");
    if (!names.isEmpty()) {
        QStringList shown = names.mid(0, named_properties);
        if (names.size() > named_properties) {
            shown << QStringLiteral("%1 more").arg(names.size() - named_properties);
        }
        properties = QStringLiteral("%1 (%2)").arg(plural(static_cast<std::uint64_t>(names.size()),
                                                          QStringLiteral("property"),
                                                          QStringLiteral("properties")),
                                                   shown.join(QStringLiteral(", ")));
    }
    std::uint64_t const splitNodes = built.model.splitNodeCount;
    QString summary = QStringLiteral("%1: grid %2 x %3 x %4 (%5 cells, %6 active), %7, %8")
                          .arg(fileName)
                          .arg(grid.ni())
                          .arg(grid.nj())
                          .arg(grid.nk())
                          .arg(grdecl::groupedNumber(grid.cellCount()),
                               grdecl::groupedNumber(grid.activeCellCount()), properties,
                               splitNodes == 0 ? QStringLiteral("no split nodes")
                                               : plural(splitNodes, QStringLiteral("split node"),
                                                        QStringLiteral("split nodes")));
    if (!built.faults.isEmpty()) {
        summary +=
            QStringLiteral(", %1").arg(plural(static_cast<std::uint64_t>(built.faults.size()),
                                              QStringLiteral("fault"), QStringLiteral("faults")));
    }
    return summary;
}

} // namespace

GrdeclReader::GrdeclReader() = default;

GrdeclReader::~GrdeclReader() = default;

std::string GrdeclReader::data_type() {
    return "Grid";
}

std::string GrdeclReader::file_filter() {
    return "Eclipse corner-point grids (*.grdecl *.GRDECL)";
}

std::vector<std::string> GrdeclReader::supported_extentions() const {
    return {"grdecl", "GRDECL"};
}

bool GrdeclReader::looksLikeGrdecl(std::string_view head, QString& reason) {
    if (head.substr(0, 3) == "\xEF\xBB\xBF") {
        head.remove_prefix(3);
    }
    if (head.find('\0') != std::string_view::npos) {
        reason = QStringLiteral("not an Eclipse grid file: the file holds binary data");
        return false;
    }
    bool sawComment = false;
    // A keyword this reader does not know (PINCHOUT, GRIDHEAD ...), spelled as decks spell them:
    // the deck is taken once its record or a known keyword follows.
    bool sawDeckWord = false;
    while (!head.empty()) {
        std::size_t const newline = head.find('\n');
        bool const complete = newline != std::string_view::npos;
        std::string_view line = head.substr(0, newline);
        head = complete ? head.substr(newline + 1) : std::string_view();
        std::size_t const first = line.find_first_not_of(" \t\r\f\v\x1A");
        if (first == std::string_view::npos) {
            continue;
        }
        line.remove_prefix(first);
        if (line.substr(0, 2) == "--") {
            sawComment = true;
            continue;
        }
        std::size_t const wordEnd = line.find_first_of(" \t\r/'\"");
        std::string_view word = line.substr(0, wordEnd);
        std::size_t const comment = word.find("--");
        word = word.substr(0, comment);
        if (grdecl::looksLikeKeyword(word) && grdecl::isKnownKeyword(grdecl::upperCase(word))) {
            return true;
        }
        if (!complete && wordEnd == std::string_view::npos) {
            break; // a word cut by the end of the probe
        }
        if (isDeckKeywordLine(line, word)) {
            sawDeckWord = true;
            continue;
        }
        if (sawDeckWord && isRecordLine(line)) {
            return true;
        }
        reason = QStringLiteral("not an Eclipse grid file: it begins with %1, not with a keyword "
                                "such as SPECGRID or COORD")
                     .arg(grdecl::quoted(line));
        return false;
    }
    if (sawComment || sawDeckWord) {
        return true; // a long comment header or a run of switches: the grid comes later
    }
    reason = QStringLiteral("not an Eclipse grid file: it holds no keyword");
    return false;
}

std::bitset<4> GrdeclReader::verify(std::string const& url, QString& message) {
    std::bitset<4> result = AbstractFileReader::verify(url, message);
    QFile file(utilities::url_to_filesystem(url));
    if (!result.test(VERIFY_READABLE) || !file.open(QIODevice::ReadOnly)) {
        result.reset();
        message = QStringLiteral("the file cannot be read");
        return result;
    }
    QByteArray const head = file.read(verify_probe_length);
    if (looksLikeGrdecl(std::string_view(head.constData(), static_cast<std::size_t>(head.size())),
                        message)) {
        result.set(VERIFY_ACCEPTED);
    } else {
        result.reset(VERIFY_READABLE);
    }
    return result;
}

GrdeclReader::ImportState
GrdeclReader::import_data(boost::shared_ptr<housekeeping::DataSource> source,
                          housekeeping::DocumentId const& document, bool /*importing*/,
                          brkBase::AbstractProgress* progress, bool inserting) {
    utilities::UrlList const urls = source ? source->urls() : utilities::UrlList();
    auto* target = dynamic_cast<housekeeping::Document*>(
        housekeeping::DocumentManager::instance().document_from_id(document));
    if (target == nullptr || urls.empty()) {
        QString const reason = target == nullptr
                                   ? QStringLiteral("there is no document to read the grid into")
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

    ProgressCancelHook progressHook(progress);
    std::vector<std::unique_ptr<model::CornerPointGrid>> grids;
    std::vector<Outcome> outcomes;
    int const count = static_cast<int>(urls.size());
    for (int i = 0; i < count; ++i) {
        QString const path = utilities::url_to_filesystem(urls[static_cast<std::size_t>(i)]);
        QFileInfo const info(path);
        Outcome outcome{info.fileName(), QString(), QStringList()};
        FileShare share{&progressHook, i, count};
        CancelHook const hook(&FileShare::isCancelled, &FileShare::progress, &share);
        try {
            GrdeclParser::Result parsed;
            {
                // The files stay mapped only while the parser reads them.
                GrdeclSourceFiles files;
                std::string_view text;
                QString error;
                if (!files.open(path, text, error)) {
                    outcome.failure = QStringLiteral("cannot open the file: %1").arg(error);
                    outcomes.push_back(outcome);
                    continue;
                }
                GrdeclParser parser(&hook);
                parser.setIncludeOpener([&files](QString const& included,
                                                 std::string_view& includedText,
                                                 QString& includedError) {
                    return files.open(included, includedText, includedError);
                });
                parsed = parser.parse(text, path);
            }
            if (parsed.status == GrdeclParser::Status::Cancelled) {
                return IMPORT_CANCELLED;
            }
            if (parsed.status == GrdeclParser::Status::Failed) {
                outcome.failure = parsed.error;
                outcomes.push_back(outcome);
                continue;
            }
            QString const name = parsed.deck.title.empty() ? info.completeBaseName()
                                                           : grdecl::decodeText(parsed.deck.title);
            GrdeclGridBuilder::Result built =
                GrdeclGridBuilder(std::move(parsed.deck)).build(name, path);
            if (!built.ok) {
                outcome.failure = built.error;
                outcomes.push_back(outcome);
                continue;
            }
            hook.progress(100.0);
            if (hook.isCancelled()) {
                return IMPORT_CANCELLED;
            }
            outcome.comments << gridSummary(outcome.name, *built.grid, built) << built.comments;
            if (!built.skippedKeywords.isEmpty()) {
                outcome.comments << QStringLiteral("Keywords not read: %1")
                                        .arg(built.skippedKeywords.join(QStringLiteral(", ")));
            }
            grids.push_back(std::move(built.grid));
        } catch (std::exception const& e) {
            // Out of memory, or a grid the model refuses: the file fails, the import goes on.
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
        for (QString const& comment : outcome.comments) {
            register_comment(comment.toHtmlEscaped());
        }
    }
    for (std::unique_ptr<model::CornerPointGrid>& grid : grids) {
        target->add_object(housekeeping::Document::ObjectPtr(grid.release()));
    }
    if (inserting && !grids.empty()) {
        target->set_modified(true);
    }
    return failed ? IMPORT_FAILED : IMPORT_OK;
}

} // namespace readers
} // namespace quarro
