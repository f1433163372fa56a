#include "ExampleReader.h"

#include "housekeeping/DataSource.h"
#include "housekeeping/Document.h"
#include "housekeeping/DocumentManager.h"
#include "import/ImportException.h"
#include "import/ProgressCancelHook.h"
#include "importwidgets/CancelHook.h"
#include "model/PointSet.h"
#include "utilities/UrlUtilities.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <memory>

namespace example {

namespace {

QByteArray const first_line = "XPOINTS 1";

// A bad line ends the read: the import library's loader catches the exception, logs it and
// reports the file as failed, and nothing of the file reaches the document.
[[noreturn]] void fail(QString const& path, int line_number, QString const& what) {
    throw quarro::import::ImportException(1,
                                          QStringLiteral("%1, line %2: %3")
                                              .arg(QFileInfo(path).fileName())
                                              .arg(line_number)
                                              .arg(what),
                                          __FILE__, __LINE__, path.toStdString());
}

} // namespace

std::string ExampleReader::data_type() {
    return "Example Points";
}

std::string ExampleReader::file_filter() {
    return "Example point files (*.xpts)";
}

std::vector<std::string> ExampleReader::supported_extentions() const {
    return {"xpts"};
}

std::bitset<4> ExampleReader::verify(std::string const& url, QString& message) {
    std::bitset<4> bits = AbstractFileReader::verify(url, message);
    QFile file(quarro::utilities::url_to_filesystem(url));
    if (file.open(QIODevice::ReadOnly) && file.readLine(64).trimmed() == first_line) {
        bits.set(VERIFY_ACCEPTED);
    } else {
        // Refused: without the readable bit the manager does not take the file anyway.
        bits.reset(VERIFY_READABLE);
        message = QStringLiteral("not an XPOINTS file: the first line is not \"XPOINTS 1\"");
    }
    return bits;
}

ExampleReader::ImportState
ExampleReader::import_data(boost::shared_ptr<quarro::housekeeping::DataSource> source,
                           quarro::housekeeping::DocumentId const& document, bool /*importing*/,
                           brkBase::AbstractProgress* progress, bool /*inserting*/) {
    QString const path = quarro::utilities::url_to_filesystem(source->url());
    QString const name = QFileInfo(path).fileName();
    auto* target = dynamic_cast<quarro::housekeeping::Document*>(
        quarro::housekeeping::DocumentManager::instance().document_from_id(document));
    if (target == nullptr) {
        register_failure(name, QStringLiteral("the document to read into does not exist"));
        return IMPORT_FAILED;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        register_failure(name, file.errorString().toHtmlEscaped());
        return IMPORT_FAILED;
    }

    // The cancel hook: reports progress to the wizard's bar and asks whether the user cancelled.
    quarro::import::ProgressCancelHook hook(progress);
    CancelHook const* const cancel = hook.hook();
    double const size = static_cast<double>(std::max<qint64>(file.size(), 1));

    auto points = std::make_unique<quarro::model::PointSet>();
    points->setName(QFileInfo(path).completeBaseName());
    int line_number = 0;
    while (!file.atEnd()) {
        QByteArray const line = file.readLine().trimmed();
        ++line_number;
        cancel->progress(100.0 * static_cast<double>(file.pos()) / size);
        if (cancel->isCancelled()) {
            register_comment(QStringLiteral("%1: cancelled, nothing was imported").arg(name));
            return IMPORT_CANCELLED;
        }
        if (line_number == 1) {
            if (line != first_line) {
                fail(path, line_number, QStringLiteral("the file does not begin with XPOINTS 1"));
            }
            continue;
        }
        if (line.isEmpty() || line.startsWith('#')) {
            continue;
        }
        if (line.startsWith("name ")) {
            points->setName(QString::fromUtf8(line.mid(5)).trimmed());
            continue;
        }
        QList<QByteArray> const words = line.simplified().split(' ');
        bool ok[3] = {false, false, false};
        double value[3] = {0.0, 0.0, 0.0};
        for (int i = 0; i < 3 && words.size() == 3; ++i) {
            value[i] = words[i].toDouble(&ok[i]);
        }
        if (!(ok[0] && ok[1] && ok[2])) {
            fail(path, line_number,
                 QStringLiteral("expected \"x y z\", found \"%1\"").arg(QString::fromUtf8(line)));
        }
        points->addPoint(quarro::model::Point3<double>(value[0], value[1], value[2]));
    }
    if (points->pointCount() == 0) {
        register_failure(name, QStringLiteral("the file holds no points"));
        return IMPORT_FAILED;
    }
    register_comment(QStringLiteral("%1: %2 points in \"%3\"")
                         .arg(name)
                         .arg(points->pointCount())
                         .arg(points->name().toHtmlEscaped()));
    target->add_object(quarro::housekeeping::Document::ObjectPtr(points.release()));
    register_success(name);
    return IMPORT_OK;
}

} // namespace example
