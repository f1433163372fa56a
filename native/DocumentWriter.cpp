#include "DocumentWriter.h"

#include "FormatError.h"
#include "JsonBlobs.h"
#include "NativeFormat.h"
#include "ObjectEncoder.h"
#include "housekeeping/Document.h"
#include "model/GeoObject.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
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

bool DocumentWriter::skeleton(Objects const& objects, std::string const& journal, bool compressed,
                              JsonBlobs& blobs, QByteArray& json) {
    m_error.clear();
    std::size_t index = 0;
    try {
        QJsonArray array;
        for (; index < objects.size(); ++index) {
            if (!objects[index]) {
                throw FormatError(QString(), tr("the object is missing"));
            }
            array.append(ObjectEncoder::encode(*objects[index], blobs));
        }
        QJsonObject root;
        root.insert(QStringLiteral("format"), format::name);
        root.insert(QStringLiteral("version"), format::version);
        root.insert(QStringLiteral("journal"), QString::fromStdString(journal));
        root.insert(QStringLiteral("objects"), array);
        // Plain files are indented for people who look inside; compressed ones need no layout.
        json = QJsonDocument(root).toJson(compressed ? QJsonDocument::Compact
                                                     : QJsonDocument::Indented);
        return true;
    } catch (FormatError const& e) {
        QString const name = objects[index] ? objects[index]->name() : QString();
        m_error = tr("object %1 (\"%2\") cannot be saved: %3")
                      .arg(index + 1)
                      .arg(name, QString::fromUtf8(e.what()));
    } catch (std::bad_alloc const&) {
        m_error = tr("there is not enough memory to save the document");
    }
    return false;
}

QByteArray DocumentWriter::encode(Objects const& objects, std::string const& journal,
                                  bool compressed) {
    JsonBlobs blobs;
    QByteArray json;
    if (!skeleton(objects, journal, compressed, blobs, json)) {
        return QByteArray();
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    try {
        if (blobs.write(json, &buffer, compressed, m_error)) {
            return bytes;
        }
    } catch (std::bad_alloc const&) {
        m_error = tr("there is not enough memory to save the document");
    }
    return QByteArray();
}

bool DocumentWriter::write(housekeeping::Document const& document, QString const& path) {
    return write(document.objects(), document.journal_text(), path);
}

bool DocumentWriter::write(Objects const& objects, std::string const& journal,
                           QString const& path) {
    auto fail = [this](QString const& reason) {
        m_error = reason;
        return false;
    };
    bool const compressed =
        m_storage == Storage::CompressedJson ||
        (m_storage == Storage::ByFileName && format::isCompressedFileName(path));
    JsonBlobs blobs;
    QByteArray json;
    if (!skeleton(objects, journal, compressed, blobs, json)) {
        return false;
    }

    // Plain words for the usual mistakes; the system's own message for everything else.
    QFileInfo const target(path);
    if (target.isDir()) {
        return fail(tr("a folder of that name is in the way"));
    }
    if (!target.dir().exists()) {
        return fail(tr("the folder \"%1\" does not exist")
                        .arg(QDir::toNativeSeparators(target.dir().path())));
    }
    // Until commit() the text goes to a temporary file beside the old one. Unbuffered, so that a
    // write that fails (a full disk) says why at once: a buffered one may fail only in commit(),
    // where Qt has lost the system's reason. The output comes in large pieces anyway.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        return fail(file.errorString());
    }
    QString error;
    bool written = false;
    try {
        written = blobs.write(json, &file, compressed, error);
    } catch (std::bad_alloc const&) {
        error = tr("there is not enough memory to save the document");
    }
    if (!written) {
        file.cancelWriting();
        return fail(error);
    }
    if (!file.commit()) {
        return fail(file.errorString());
    }
    return true;
}

} // namespace native
} // namespace quarro
