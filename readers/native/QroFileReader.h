#ifndef QUARRO_NATIVE_QROFILEREADER_H
#define QUARRO_NATIVE_QROFILEREADER_H

#include "FileReaderBase.h"

#include <QString>

#include <bitset>
#include <string>
#include <vector>

namespace quarro {
namespace native {

// The reader of the application's own documents (key "QRO"): every object of a native
// document, plain or compressed, joins the target document in the file's order. When the file
// opens a document (rather than being inserted into one) its journal replaces the document's.
//
// A document is read whole before any of its objects is added: a damaged file adds nothing and
// fails with a reason that names where it broke; a cancelled import adds nothing. The reader
// leaves the document's data source and its modified mark alone: the import wizard sets both.
class QroFileReader : public readers::FileReaderBase {
public:
    QroFileReader();
    ~QroFileReader() override;

    // Accepts a file that begins like a native document (DocumentReader::looksLikeNativeDocument).
    std::bitset<4> verify(std::string const& url, QString& message) override;

protected:
    // For readers of the same documents offered under another filter.
    explicit QroFileReader(readers::FileKind kind);
    // DocumentReader opens the file itself: it inflates compressed documents piece by piece.
    readers::FileResult readFile(QString const& path, QString const& name,
                                 CancelHook const& hook) override;
    QString noDocumentReason() const override;

private:
    Q_DISABLE_COPY(QroFileReader)
};

} // namespace native
} // namespace quarro

#endif // QUARRO_NATIVE_QROFILEREADER_H
