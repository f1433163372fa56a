#include "NativeFormat.h"

#include <QFileInfo>

namespace quarro {
namespace native {
namespace format {

bool isCompressedFileName(QString const& path) {
    return QFileInfo(path).suffix().compare(compressedSuffix, Qt::CaseInsensitive) == 0;
}

} // namespace format
} // namespace native
} // namespace quarro
