#ifndef QUARRO_NATIVE_DOCUMENTREADER_H
#define QUARRO_NATIVE_DOCUMENTREADER_H

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class CancelHook;

namespace quarro {
namespace model {
class GeoObject;
}

namespace native {

class ReadMonitor;

// Reads a native document (docs/native-format.md), plain or compressed, into objects and the
// journal text. Everything is read and checked before anything is handed out: a document that
// is cut short, of a newer version or otherwise damaged gives no objects at all, and
// errorString() names where it broke (a byte offset in the JSON text, or the object and field).
//
// One reader reads one document.
class DocumentReader {
public:
    enum class Status { Ok, Failed, Cancelled };

    // `hook` (may be null) is asked for cancellation and told the progress, 0 to 100, as the
    // document is inflated, parsed and decoded; it must outlive the reader.
    explicit DocumentReader(CancelHook const* hook = nullptr);
    ~DocumentReader();

    // Reads the file at `path`.
    Status readFile(QString const& path);
    // Reads a whole document held in memory.
    Status read(QByteArray const& bytes);

    // Why the read failed; empty otherwise.
    QString const& errorString() const { return m_error; }
    // The format version the document was written in (0 before a successful read).
    int formatVersion() const { return m_version; }
    bool wasCompressed() const { return m_compressed; }
    std::string const& journal() const { return m_journal; }
    std::vector<std::unique_ptr<model::GeoObject>> const& objects() const { return m_objects; }
    // Hands the objects over; the reader keeps none.
    std::vector<std::unique_ptr<model::GeoObject>> takeObjects();

    // The test behind the readers' verify(), on the start of a file: true when it begins like a
    // native document (the magic bytes of a compressed one, or a JSON object whose first field
    // is "format": "quarro-document"); otherwise `reason` says why not.
    static bool looksLikeNativeDocument(QByteArray const& head, QString& reason);

private:
    Q_DISABLE_COPY(DocumentReader)

    Status fail(QString const& reason);
    // Reads `bytes`; calls `release` when a compressed document no longer needs them.
    Status readBytes(QByteArray const& bytes, std::function<void()> const& release);
    Status decode(QByteArray const& json, ReadMonitor& monitor);

    CancelHook const* m_hook;
    QString m_error;
    int m_version = 0;
    bool m_compressed = false;
    std::string m_journal;
    std::vector<std::unique_ptr<model::GeoObject>> m_objects;
};

} // namespace native
} // namespace quarro

#endif // QUARRO_NATIVE_DOCUMENTREADER_H
