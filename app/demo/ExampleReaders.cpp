#include "ExampleReaders.h"

#include "AbstractFileReaderFactory.h"
#include "ConcreteProductFactory.h"
#include "utilities/UrlUtilities.h"

#include <QFile>

namespace quarro {
namespace demo {

namespace {
import::ConcreteProductFactory<import::AbstractFileReaderFactory, ExampleLasReader> s_las("WELLS");
import::ConcreteProductFactory<import::AbstractFileReaderFactory, ExampleAsciiGridReader>
    s_grid("DEMRaster");
} // namespace

std::bitset<4> SniffingReader::verify(std::string const& url, QString& message) {
    std::bitset<4> bits = AbstractFileReader::verify(url, message);
    if (!bits.test(VERIFY_READABLE)) {
        message = QStringLiteral("The file cannot be read.");
        return bits;
    }
    QFile file(utilities::url_to_filesystem(url));
    QString why;
    if (file.open(QIODevice::ReadOnly) && recognises(file.read(1024), why)) {
        bits.set(VERIFY_ACCEPTED);
        return bits;
    }
    // Refused: clear the readable bit too, or the manager would take the file anyway.
    bits.reset(VERIFY_READABLE);
    message = why;
    return bits;
}

import::AbstractFileReader::ImportState
SniffingReader::import_data(boost::shared_ptr<housekeeping::DataSource>,
                            housekeeping::DocumentId const&, bool, brkBase::AbstractProgress*,
                            bool) {
    register_comment(QStringLiteral("The demonstration readers do not read data."));
    return IMPORT_FAILED;
}

bool ExampleLasReader::recognises(QByteArray const& head, QString& why) const {
    // Comment lines (#) may precede the version section.
    for (QByteArray const& line : head.split('\n')) {
        QByteArray const text = line.trimmed();
        if (text.isEmpty() || text.startsWith('#')) {
            continue;
        }
        if (text.toUpper().startsWith("~V")) {
            return true;
        }
        break;
    }
    why = QStringLiteral("A LAS file begins with its version section (~V).");
    return false;
}

bool ExampleAsciiGridReader::recognises(QByteArray const& head, QString& why) const {
    QByteArray const lower = head.toLower();
    if (lower.trimmed().startsWith("ncols") && lower.contains("nrows") && lower.contains("cellsize")) {
        return true;
    }
    why = QStringLiteral("An ASCII grid begins with ncols, nrows and cellsize lines.");
    return false;
}

} // namespace demo
} // namespace quarro
