#include "DocumentWriter.h"

#include "CompressedStorage.h"
#include "FormatError.h"
#include "NativeFormat.h"
#include "ObjectEncoder.h"
#include "housekeeping/Document.h"
#include "model/GeoObject.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

#include <exception>
#include <new>

namespace quarro {
namespace native {

DocumentWriter::DocumentWriter() = default;

DocumentWriter::~DocumentWriter() = default;

QByteArray DocumentWriter::encode(Objects const& objects, std::string const& journal,
                                  bool compressed) {
    m_error.clear();
    std::size_t index = 0;
    try {
        QJsonArray array;
        for (; index < objects.size(); ++index) {
            if (!objects[index]) {
                throw FormatError(QString(), tr("the object is missing"));
            }
            array.append(ObjectEncoder::encode(*objects[index]));
        }
        QJsonObject root;
        root.insert(QStringLiteral("format"), format::name);
        root.insert(QStringLiteral("version"), format::version);
        root.insert(QStringLiteral("journal"), QString::fromStdString(journal));
        root.insert(QStringLiteral("objects"), array);
        // Plain files are indented for people who look inside; compressed ones need no layout.
        QByteArray const json =
            QJsonDocument(root).toJson(compressed ? QJsonDocument::Compact
                                                  : QJsonDocument::Indented);
        return compressed ? CompressedStorage::compress(json) : json;
    } catch (FormatError const& e) {
        QString const name = objects[index] ? objects[index]->name() : QString();
        m_error = tr("object %1 (\"%2\") cannot be saved: %3")
                      .arg(index + 1)
                      .arg(name, QString::fromUtf8(e.what()));
    } catch (std::bad_alloc const&) {
        m_error = tr("there is not enough memory to save the document");
    } catch (std::exception const& e) {
        m_error = QString::fromUtf8(e.what());
    }
    return QByteArray();
}

bool DocumentWriter::write(housekeeping::Document const& document, QString const& path) {
    return write(document.objects(), document.journal_text(), path);
}

bool DocumentWriter::write(Objects const& objects, std::string const& journal,
                           QString const& path) {
    bool const compressed =
        m_storage == Storage::CompressedJson ||
        (m_storage == Storage::ByFileName && format::isCompressedFileName(path));
    auto fail = [this, &path](QString const& reason) {
        m_error = tr("The document cannot be saved as \"%1\": %2")
                      .arg(QDir::toNativeSeparators(path), reason);
        return false;
    };
    QByteArray const bytes = encode(objects, journal, compressed);
    if (!m_error.isEmpty()) {
        return fail(m_error);
    }

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return fail(file.errorString());
    }
    if (file.write(bytes) != bytes.size()) {
        QString const reason = file.errorString();
        file.cancelWriting();
        return fail(reason);
    }
    if (!file.commit()) {
        return fail(file.errorString());
    }
    return true;
}

} // namespace native
} // namespace quarro
