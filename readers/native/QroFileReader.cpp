#include "QroFileReader.h"

#include "DocumentReader.h"
#include "model/GeoObject.h"

#include <QByteArray>
#include <QStringList>

#include <algorithm>
#include <exception>
#include <memory>
#include <utility>
#include <vector>

namespace quarro {
namespace native {

namespace {

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

QroFileReader::QroFileReader()
    : QroFileReader({"Quarro", "QRO Format", {"qro", "quarro", "qroz"}}) {}

QroFileReader::QroFileReader(readers::FileKind kind)
    : FileReaderBase(std::move(kind)) {}

QroFileReader::~QroFileReader() = default;

std::bitset<4> QroFileReader::verify(std::string const& url, QString& message) {
    return verifyHead(url, message, [](std::string_view head, QString& reason) {
        return DocumentReader::looksLikeNativeDocument(
            QByteArray::fromRawData(head.data(), static_cast<int>(head.size())), reason);
    });
}

QString QroFileReader::noDocumentReason() const {
    return QStringLiteral("there is no document to read the objects into");
}

readers::FileResult QroFileReader::readFile(QString const& path, QString const& /*name*/,
                                            CancelHook const& hook) {
    DocumentReader reader(&hook);
    DocumentReader::Status const status = reader.readFile(path);
    if (status == DocumentReader::Status::Cancelled) {
        return readers::FileResult::cancel();
    }
    if (status == DocumentReader::Status::Failed) {
        return readers::FileResult::failed(reader.errorString());
    }
    readers::FileResult result;
    result.comments << contentSummary(reader);
    result.journal = reader.journal();
    for (std::unique_ptr<model::GeoObject>& object : reader.takeObjects()) {
        result.objects.emplace_back(object.release());
    }
    return result;
}

} // namespace native
} // namespace quarro
