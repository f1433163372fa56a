#include "GdalErrorScope.h"

namespace quarro {
namespace readers {

namespace {

// A damaged file can make GDAL warn once per block or per feature; the summary keeps a few.
constexpr int keptWarnings = 5;
constexpr int keptErrors = 3;

} // namespace

GdalErrorScope::GdalErrorScope() {
    CPLErrorReset();
    CPLPushErrorHandlerEx(&GdalErrorScope::collect, this);
}

GdalErrorScope::~GdalErrorScope() {
    CPLPopErrorHandler();
}

void CPL_STDCALL GdalErrorScope::collect(CPLErr level, CPLErrorNum /*number*/,
                                         char const* message) {
    auto* const scope = static_cast<GdalErrorScope*>(CPLGetErrorHandlerUserData());
    if (scope == nullptr || message == nullptr) {
        return;
    }
    // GDAL calls the handler from C code: nothing may escape it.
    try {
        scope->take(level, QString::fromUtf8(message).trimmed());
    } catch (...) {
    }
}

void GdalErrorScope::take(CPLErr level, QString const& message) {
    if (message.isEmpty()) {
        return;
    }
    if (level == CE_Failure || level == CE_Fatal) {
        ++m_errorCount;
        if (!m_errors.contains(message) && m_errors.size() < keptErrors) {
            m_errors << message;
        }
        return;
    }
    if (level != CE_Warning || m_warnings.contains(message)) {
        return;
    }
    if (m_warnings.size() < keptWarnings) {
        m_warnings << message;
    } else {
        ++m_droppedWarnings;
    }
}

QString GdalErrorScope::errors() const {
    return m_errors.join(QStringLiteral("; "));
}

QString GdalErrorScope::reason(QString const& fallback) const {
    if (!m_errors.isEmpty()) {
        return errors();
    }
    QString const last = QString::fromUtf8(CPLGetLastErrorMsg()).trimmed();
    return last.isEmpty() ? fallback : last;
}

} // namespace readers
} // namespace quarro
