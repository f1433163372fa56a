#include "LasReader.h"

#include "LasParser.h"
#include "LasWell.h"
#include "model/Well.h"

#include <algorithm>
#include <cctype>
#include <memory>

namespace quarro {
namespace readers {

LasReader::LasReader()
    : FileReaderBase({"Well", "LAS well logs", inBothCases({"las"})}) {}

LasReader::~LasReader() = default;

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
    return verifyHead(url, message, &LasReader::looksLikeLas);
}

QString LasReader::noDocumentReason() const {
    return QStringLiteral("there is no document to read the wells into");
}

FileResult LasReader::parse(std::string_view bytes, QString const& /*path*/, QString const& name,
                            CancelHook const& hook) {
    LasParser::Result parsed = LasParser(&hook).parse(bytes);
    if (parsed.status == LasParser::Status::Cancelled) {
        return FileResult::cancel();
    }
    if (parsed.status == LasParser::Status::Failed) {
        return FileResult::failed(parsed.error);
    }
    std::unique_ptr<model::Well> well = makeWell(parsed.file, name);
    FileResult result;
    result.comments << wellSummary(*well) << parsed.file.issues.comments();
    result.warnings = parsed.file.issues.warnings();
    result.objects.emplace_back(well.release());
    return result;
}

} // namespace readers
} // namespace quarro
