#include "ImporterKeyChooser.h"

#include "AbstractFileReader.h"
#include "AbstractFileReaderFactory.h"
#include "utilities/UrlUtilities.h"

#include <QFileInfo>

#include <algorithm>
#include <cctype>
#include <exception>

namespace quarro {
namespace app {

namespace {

// The reader over GDAL opens nearly every raster and vector file, those of the project's own
// readers included. It is asked last, as the file dialogs offer it last, so that a file one of the
// project's readers takes still goes to that reader whatever order the plugins loaded in.
char const* const gdal_key = "GDAL";

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

} // namespace

ImporterKeyChooser::ImporterKeyChooser() {
    for (std::string const& key : registered_keys()) {
        Reader reader;
        reader.key = key;
        try {
            for (std::string const& extension :
                 import::AbstractFileReaderFactory::create(key)->supported_extentions()) {
                reader.extensions.push_back(lower(extension));
            }
        } catch (std::exception const&) {
            // A reader that cannot even be made takes no file.
            continue;
        }
        m_readers.push_back(reader);
    }
    std::stable_partition(m_readers.begin(), m_readers.end(),
                          [](Reader const& reader) { return reader.key != gdal_key; });
}

std::vector<std::string> ImporterKeyChooser::registered_keys() {
    return import::AbstractFileReaderFactory::products();
}

bool ImporterKeyChooser::is_registered(std::string const& key) {
    std::vector<std::string> const keys = registered_keys();
    return std::find(keys.begin(), keys.end(), key) != keys.end();
}

std::bitset<4> ImporterKeyChooser::verify(std::string const& key, QString const& path,
                                          QString& message) {
    try {
        return import::AbstractFileReaderFactory::create(key)->verify(
            utilities::filesystem_to_url(path), message);
    } catch (std::exception const& e) {
        message = QString::fromStdString(e.what());
        return std::bitset<4>();
    }
}

bool ImporterKeyChooser::fits(std::string const& key, QString const& path, QString& message) {
    std::bitset<4> const result = verify(key, path, message);
    return result.test(import::AbstractFileReader::VERIFY_ACCEPTED) ||
           result.test(import::AbstractFileReader::VERIFY_READABLE);
}

std::string ImporterKeyChooser::choose(QString const& path, QString& reasons) const {
    std::string const suffix = lower(QFileInfo(path).suffix().toStdString());
    QStringList said;
    auto const ask = [&](Reader const& reader) {
        QString message;
        std::bitset<4> const result = verify(reader.key, path, message);
        if (!message.isEmpty()) {
            said << QStringLiteral("%1: %2").arg(QString::fromStdString(reader.key), message);
        }
        return result;
    };
    std::vector<Reader const*> others;
    std::string readable_by_extension;
    for (Reader const& reader : m_readers) {
        if (std::find(reader.extensions.begin(), reader.extensions.end(), suffix) ==
            reader.extensions.end()) {
            others.push_back(&reader);
            continue;
        }
        std::bitset<4> const result = ask(reader);
        if (result.test(import::AbstractFileReader::VERIFY_ACCEPTED)) {
            return reader.key;
        }
        if (readable_by_extension.empty() &&
            result.test(import::AbstractFileReader::VERIFY_READABLE)) {
            readable_by_extension = reader.key;
        }
    }
    for (Reader const* reader : others) {
        if (ask(*reader).test(import::AbstractFileReader::VERIFY_ACCEPTED)) {
            return reader->key;
        }
    }
    // Nobody recognises the content, but the reader made for the extension can read the file:
    // it gets the file, and its summary tells the user what is wrong with it.
    if (!readable_by_extension.empty()) {
        return readable_by_extension;
    }
    reasons = said.join(QLatin1Char('\n'));
    return std::string();
}

} // namespace app
} // namespace quarro
