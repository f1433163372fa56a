#include "GrdeclReader.h"

#include "GrdeclGridBuilder.h"
#include "GrdeclKeywords.h"
#include "GrdeclParser.h"
#include "GrdeclSourceFiles.h"
#include "GrdeclText.h"
#include "model/CornerPointGrid.h"

#include <QFileInfo>
#include <QStringList>

#include <memory>

namespace quarro {
namespace readers {

namespace {

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

GrdeclReader::GrdeclReader()
    : FileReaderBase({"Grid", "Eclipse corner-point grids", inBothCases({"grdecl"})}) {}

GrdeclReader::~GrdeclReader() = default;

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
    return verifyHead(url, message, &GrdeclReader::looksLikeGrdecl);
}

QString GrdeclReader::noDocumentReason() const {
    return QStringLiteral("there is no document to read the grid into");
}

FileResult GrdeclReader::parse(std::string_view text, QString const& path, QString const& name,
                               CancelHook const& hook) {
    GrdeclParser::Result parsed;
    {
        // Included files stay mapped only while the parser reads them.
        GrdeclSourceFiles files;
        GrdeclParser parser(&hook);
        parser.setIncludeOpener([&files](QString const& included, std::string_view& includedText,
                                         QString& includedError) {
            return files.open(included, includedText, includedError);
        });
        parsed = parser.parse(text, path);
    }
    if (parsed.status == GrdeclParser::Status::Cancelled) {
        return FileResult::cancel();
    }
    if (parsed.status == GrdeclParser::Status::Failed) {
        return FileResult::failed(parsed.error);
    }
    QString const title = parsed.deck.title.empty() ? QFileInfo(path).completeBaseName()
                                                    : grdecl::decodeText(parsed.deck.title);
    GrdeclGridBuilder::Result built = GrdeclGridBuilder(std::move(parsed.deck)).build(title, path);
    if (!built.ok) {
        return FileResult::failed(built.error);
    }
    FileResult result;
    result.comments << gridSummary(name, *built.grid, built) << built.comments;
    if (!built.skippedKeywords.isEmpty()) {
        result.comments << QStringLiteral("Keywords not read: %1")
                               .arg(built.skippedKeywords.join(QStringLiteral(", ")));
    }
    result.objects.emplace_back(built.grid.release());
    return result;
}

} // namespace readers
} // namespace quarro
