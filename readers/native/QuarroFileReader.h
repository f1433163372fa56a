#ifndef QUARRO_NATIVE_QUARROFILEREADER_H
#define QUARRO_NATIVE_QUARROFILEREADER_H

#include "QroFileReader.h"

namespace quarro {
namespace native {

// The native reader under the key "QUARRO", which the Open dialog picks for files named .quarro
// or .qrod: it reads exactly as the "QRO" reader does. Its filter text begins with "Check", which
// keeps it out of the dialogs' filter lists: the "QRO" entry already offers *.quarro, and two
// entries for one format would make users wonder which to take.
class QuarroFileReader : public QroFileReader {
public:
    QuarroFileReader();
    ~QuarroFileReader() override;

private:
    Q_DISABLE_COPY(QuarroFileReader)
};

} // namespace native
} // namespace quarro

#endif // QUARRO_NATIVE_QUARROFILEREADER_H
