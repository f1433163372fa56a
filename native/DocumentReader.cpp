#include "DocumentReader.h"

#include "CompressedStorage.h"
#include "FormatError.h"
#include "JsonCursor.h"
#include "JsonSkeleton.h"
#include "NativeFormat.h"
#include "ObjectDecoder.h"
#include "ReadMonitor.h"
#include "model/GeoObject.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <exception>
#include <limits>
#include <new>
#include <stdexcept>

namespace quarro {
namespace native {

namespace {

// Where each stage of a read starts on the progress bar, in percent: inflating (compressed
// documents only), taking the long strings out of the text, Qt's parse, decoding the objects.
enum Stage { Inflate, Scan, Parse, Decode };
constexpr double stages[] = {0.0, 15.0, 25.0, 40.0, 100.0};

// The largest file a QByteArray can hold.
constexpr qint64 maximumFileSize = std::numeric_limits<int>::max() - 64;

// Where the object stands and what it says it is, for error messages: objects[2] (Well "W-1").
QString objectLabel(int index, QJsonValue const& value) {
    QString label = QStringLiteral("objects[%1]").arg(index);
    QJsonObject const object = value.toObject();
    QJsonValue const kind = object.value(QLatin1String("kind"));
    QJsonValue const name = object.value(QLatin1String("name"));
    if (kind.isString() && name.isString()) {
        label += QStringLiteral(" (%1 \"%2\")").arg(kind.toString(), name.toString());
    }
    return label;
}

} // namespace

DocumentReader::DocumentReader(CancelHook const* hook)
    : m_hook(hook) {}

DocumentReader::~DocumentReader() = default;

std::vector<std::unique_ptr<model::GeoObject>> DocumentReader::takeObjects() {
    return std::move(m_objects);
}

DocumentReader::Status DocumentReader::fail(QString const& reason) {
    m_error = reason;
    m_version = 0;
    m_journal.clear();
    m_objects.clear();
    return Status::Failed;
}

DocumentReader::Status DocumentReader::readFile(QString const& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return fail(QStringLiteral("the file cannot be opened: %1").arg(file.errorString()));
    }
    qint64 const size = file.size();
    if (size > maximumFileSize) {
        return fail(QStringLiteral("the file holds %1 bytes, more than the 2 GB this program "
                                   "reads")
                        .arg(size));
    }
    // A mapped file is read in place. A compressed one is let go once it is inflated, so that
    // the file and its text are not both held while the objects are built.
    if (uchar* mapped = size > 0 ? file.map(0, size) : nullptr) {
        return readBytes(
            QByteArray::fromRawData(reinterpret_cast<char const*>(mapped), static_cast<int>(size)),
            [&file, mapped] { file.unmap(mapped); });
    }
    QByteArray const bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        return fail(QStringLiteral("the file cannot be read: %1").arg(file.errorString()));
    }
    return read(bytes);
}

DocumentReader::Status DocumentReader::read(QByteArray const& bytes) {
    return readBytes(bytes, [] {});
}

DocumentReader::Status DocumentReader::readBytes(QByteArray const& bytes,
                                                 std::function<void()> const& release) {
    m_error.clear();
    m_version = 0;
    m_journal.clear();
    m_objects.clear();
    m_compressed = CompressedStorage::isCompressed(bytes);
    ReadMonitor monitor(m_hook);
    try {
        if (bytes.isEmpty()) {
            return fail(QStringLiteral("the file is empty"));
        }
        if (!m_compressed) {
            return decode(bytes, monitor);
        }
        QByteArray json;
        QString error;
        monitor.beginStage(stages[Inflate], stages[Inflate + 1] - stages[Inflate],
                           CompressedStorage::uncompressedSize(bytes));
        if (!CompressedStorage::uncompress(bytes, json, error, monitor)) {
            return fail(error);
        }
        release();
        return decode(json, monitor);
    } catch (ReadCancelled const&) {
        fail(QString());
        return Status::Cancelled;
    } catch (std::bad_alloc const&) {
        return fail(QStringLiteral("there is not enough memory to read the document"));
    }
}

DocumentReader::Status DocumentReader::decode(QByteArray const& json, ReadMonitor& monitor) {
    monitor.beginStage(stages[Scan], stages[Scan + 1] - stages[Scan], json.size());
    JsonSkeleton const skeleton(json.constData(), json.size(), monitor);
    // Qt parses in one go, which cannot be cancelled: ask right before it.
    monitor.beginStage(stages[Parse], stages[Parse + 1] - stages[Parse], 1.0);
    monitor.advance(0.0);
    QJsonParseError parseError{};
    QJsonDocument const document = QJsonDocument::fromJson(skeleton.text(), &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        return fail(QStringLiteral("the document is not valid JSON at byte %1%2: %3")
                        .arg(skeleton.originalOffset(parseError.offset))
                        .arg(m_compressed ? QStringLiteral(" of the uncompressed text") : QString(),
                             parseError.errorString()));
    }
    if (!document.isObject()) {
        return fail(QStringLiteral("the document is a JSON array, not an object"));
    }
    monitor.advance(1.0);

    JsonCursor const root(document.object(), QString(), skeleton, monitor);
    QJsonArray objects;
    try {
        QString const formatName = root.field(QLatin1String("format")).string();
        if (formatName != format::name) {
            return fail(QStringLiteral("not a Quarro document: its format is \"%1\", not \"%2\"")
                            .arg(formatName, format::name));
        }
        int const version =
            root.field(QLatin1String("version")).integer(1, std::numeric_limits<int>::max());
        if (version > format::version) {
            return fail(QStringLiteral("the document is in format version %1, which a newer "
                                       "program wrote; this program reads versions up to %2")
                            .arg(version)
                            .arg(format::version));
        }
        m_version = version;
        m_journal = root.field(QLatin1String("journal")).string().toStdString();
        JsonCursor const objectField = root.field(QLatin1String("objects"));
        objectField.size(); // throws unless the objects are an array
        objects = objectField.value().toArray();
    } catch (FormatError const& e) {
        return fail(e.path().isEmpty()
                        ? e.problem()
                        : QStringLiteral("field \"%1\": %2").arg(e.path(), e.problem()));
    }

    // Decoding advances by the characters of the large arrays, most of the text.
    monitor.beginStage(stages[Decode], stages[Decode + 1] - stages[Decode], json.size());
    m_objects.reserve(static_cast<std::size_t>(objects.size()));
    for (int i = 0; i < objects.size(); ++i) {
        QJsonValue const value = objects.at(i);
        try {
            // Paths inside an object are given from the object itself.
            m_objects.push_back(
                ObjectDecoder::decode(JsonCursor(value, QString(), skeleton, monitor)));
        } catch (FormatError const& e) {
            QString const where =
                e.path().isEmpty() ? objectLabel(i, value)
                                   : objectLabel(i, value) + QStringLiteral(", field ") + e.path();
            return fail(QStringLiteral("%1: %2").arg(where, e.problem()));
        } catch (std::logic_error const& e) {
            // The model's setters refuse values that make no object (a count, a spacing).
            return fail(
                QStringLiteral("%1: %2").arg(objectLabel(i, value), QString::fromUtf8(e.what())));
        }
        monitor.advance(0.0);
    }
    monitor.finish();
    return Status::Ok;
}

bool DocumentReader::looksLikeNativeDocument(QByteArray const& head, QString& reason) {
    if (CompressedStorage::isCompressed(head)) {
        return true;
    }
    if (head.startsWith("QROZ")) {
        reason = QStringLiteral("a damaged compressed Quarro document: its first bytes were "
                                "changed, as a transfer in text mode does");
        return false;
    }
    static QRegularExpression const start(
        QStringLiteral("^\\s*\\{\\s*\"format\"\\s*:\\s*\"%1\"").arg(format::name));
    QString text = QString::fromUtf8(head);
    if (text.startsWith(QChar(0xFEFF))) {
        text.remove(0, 1);
    }
    if (start.match(text).hasMatch()) {
        return true;
    }
    if (text.trimmed().isEmpty()) {
        reason = QStringLiteral("not a Quarro document: the file is empty");
    } else if (!text.trimmed().startsWith(QLatin1Char('{'))) {
        reason = QStringLiteral("not a Quarro document: it does not begin with a JSON object");
    } else {
        reason = QStringLiteral("not a Quarro document: its first field is not "
                                "\"format\": \"%1\"")
                     .arg(format::name);
    }
    return false;
}

} // namespace native
} // namespace quarro
