#include "AbstractFileReader.h"

#include "housekeeping/AbstractDocument.h"
#include "housekeeping/DocumentManager.h"
#include "utilities/UrlUtilities.h"

#include <fstream>

namespace quarro {
namespace import {

namespace {
// The base looks at no more than this much of a file: enough to tell that it can be read.
constexpr int verify_probe_length = 1024;
} // namespace

AbstractFileReader::AbstractFileReader() = default;

AbstractFileReader::~AbstractFileReader() = default;

std::vector<std::string> AbstractFileReader::supported_extentions() const {
    return {"dat"};
}

std::bitset<4> AbstractFileReader::verify(std::string const& url, QString& /*message*/) {
    std::bitset<4> result;
    std::string const path = utilities::url_to_filesystem(url).toUtf8().toStdString();
    std::ifstream file(path, std::ios::in | std::ios::binary);
    if (!file.is_open()) {
        return result;
    }
    result.set(VERIFY_READABLE);
    for (int i = 0; i < verify_probe_length; ++i) {
        int const c = file.get();
        if (c == std::char_traits<char>::eof()) {
            // End of file is fine; anything else that stops the read (a folder, an I/O error)
            // means the file cannot be read after all.
            if (!file.eof()) {
                result.reset(VERIFY_READABLE);
            }
            break;
        }
        if (c > 255) {
            result.reset(VERIFY_READABLE);
            break;
        }
    }
    return result;
}

QString AbstractFileReader::import_summary() const {
    return m_summary;
}

void AbstractFileReader::register_success(QString const& name) {
    m_summary += name + QString::fromUtf8(": <b>OK</b><br />\n");
    ++m_successes;
}

void AbstractFileReader::register_failure(QString const& name, QString const& reason) {
    m_summary += name + QString::fromUtf8(": <b><font color='red'>Failed</font></b><br />");
    m_summary += reason;
    ++m_failures;
}

void AbstractFileReader::register_comment(QString const& text) {
    m_summary += QString::fromUtf8("<br />\n") + text + QString::fromUtf8("<br />\n");
}

quint64 AbstractFileReader::document_size(housekeeping::DocumentId const& id) const {
    housekeeping::AbstractDocument const* document =
        housekeeping::DocumentManager::instance().document_from_id(id);
    return document != nullptr ? document->size() : 0;
}

} // namespace import
} // namespace quarro
