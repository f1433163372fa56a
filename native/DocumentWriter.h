#ifndef QUARRO_NATIVE_DOCUMENTWRITER_H
#define QUARRO_NATIVE_DOCUMENTWRITER_H

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

#include <boost/shared_ptr.hpp>

#include <string>
#include <vector>

namespace quarro {
namespace housekeeping {
class Document;
}
namespace model {
class GeoObject;
}

namespace native {

class JsonBlobs;

// Saves documents in the native format (docs/native-format.md): every object of the document
// and its journal, as JSON text, compressed for a file name ending in .qroz.
//
//     native::DocumentWriter writer;
//     if (!writer.write(document, path)) {
//         show(tr("Cannot save %1: %2").arg(path, writer.errorString()));
//     }
//
// The file is written under a temporary name and renamed over the old one only when complete
// (QSaveFile), so a failed save, a full disk included, leaves the old file as it was.
class DocumentWriter {
    Q_DECLARE_TR_FUNCTIONS(DocumentWriter)
public:
    using Objects = std::vector<boost::shared_ptr<model::GeoObject>>;

    // How write() stores the JSON text.
    enum class Storage {
        ByFileName,    // compressed when the file name ends in .qroz, in any case
        Json,          // plain text
        CompressedJson // the .qroz container
    };

    DocumentWriter();
    ~DocumentWriter();

    void setStorage(Storage storage) { m_storage = storage; }
    Storage storage() const { return m_storage; }

    // Saves `document` to `path`. Returns false, and leaves any old file untouched, when the
    // document cannot be encoded or the file cannot be written; errorString() then says why.
    bool write(housekeeping::Document const& document, QString const& path);
    bool write(Objects const& objects, std::string const& journal, QString const& path);

    // The bytes write() would store (for `compressed` storage, the .qroz container); empty, with
    // errorString() set, when an object cannot be encoded or memory runs out. Holds the whole
    // document in memory: write() streams it to the file instead.
    QByteArray encode(Objects const& objects, std::string const& journal, bool compressed);

    // Why the last write() or encode() failed, without the file's name, which the caller shows
    // ("No space left on device"); empty after a success.
    QString const& errorString() const { return m_error; }

private:
    Q_DISABLE_COPY(DocumentWriter)

    // The JSON text of the document with placeholders for its large arrays, whose text `blobs`
    // then writes; false with m_error set when an object cannot be encoded.
    bool skeleton(Objects const& objects, std::string const& journal, bool compressed,
                  JsonBlobs& blobs, QByteArray& json);

    Storage m_storage = Storage::ByFileName;
    QString m_error;
};

} // namespace native
} // namespace quarro

#endif // QUARRO_NATIVE_DOCUMENTWRITER_H
