#ifndef QUARRO_READERS_LAS_LASREADER_H
#define QUARRO_READERS_LAS_LASREADER_H

#include "FileReaderBase.h"

#include <QString>

#include <bitset>
#include <string>
#include <string_view>
#include <vector>

namespace quarro {
namespace readers {

// The reader of LAS well logs (key "WELLS"): each file becomes one well of the target document,
// with its header, its curves along the depth and "no value" for NULLs. A file is read whole
// before its well joins the document; a cancelled import adds nothing.
class LasReader : public FileReaderBase {
public:
    LasReader();
    ~LasReader() override;

    // Accepts a file whose first section line, after blank and comment lines, is a LAS
    // section (~VERSION, ~WELL, ~CURVE, ~PARAMETER, ~OTHER or ~A).
    std::bitset<4> verify(std::string const& url, QString& message) override;

    // The test behind verify(), on the start of a file: true when it opens like a LAS file;
    // otherwise `reason` says why not.
    static bool looksLikeLas(std::string_view head, QString& reason);

protected:
    bool readsText() const override { return true; }
    FileResult parse(std::string_view bytes, QString const& path, QString const& name,
                     CancelHook const& hook) override;
    QString noDocumentReason() const override;

private:
    Q_DISABLE_COPY(LasReader)
};

} // namespace readers
} // namespace quarro

#endif // QUARRO_READERS_LAS_LASREADER_H
