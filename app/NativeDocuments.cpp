#include "NativeDocuments.h"

#include <QFileInfo>

namespace quarro {
namespace app {
namespace native_documents {

std::string const& key() {
    static std::string const native("QRO");
    return native;
}

bool is_native_key(std::string const& key) {
    return key == "QRO" || key == "QUARRO";
}

bool has_native_suffix(QString const& path) {
    QString const suffix = QFileInfo(path).suffix().toLower();
    return suffix == QLatin1String("qro") || suffix == QLatin1String("qroz") ||
           suffix == QLatin1String("quarro");
}

} // namespace native_documents
} // namespace app
} // namespace quarro
