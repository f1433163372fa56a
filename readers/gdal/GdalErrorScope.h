#ifndef QUARRO_READERS_GDAL_GDALERRORSCOPE_H
#define QUARRO_READERS_GDAL_GDALERRORSCOPE_H

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <cpl_error.h>

namespace quarro {
namespace readers {

// Takes the messages GDAL reports on the calling thread while the object lives. Without it GDAL
// prints its errors and warnings to stderr, where the user never sees them; with it they become
// the reasons and comments of the import summary. GDAL keeps a stack of handlers per thread, so
// scopes nest and a reader running on a worker thread does not disturb another thread's handler.
// GDAL still aborts the process after a fatal error (it does so only when it runs out of memory
// in its own allocator); the handler cannot prevent that.
class GdalErrorScope {
public:
    GdalErrorScope();
    ~GdalErrorScope();

    // The distinct errors GDAL reported in this scope, oldest first, joined by "; "; empty when
    // there were none.
    QString errors() const;
    // How many errors GDAL reported in this scope, repeats included: a loader compares the count
    // before and after a step to learn whether the step failed.
    int errorCount() const { return m_errorCount; }
    // errors(), or GDAL's last error message when a handler pushed later took the errors, or
    // `fallback` when GDAL said nothing.
    QString reason(QString const& fallback) const;
    // Warnings in the order reported, without repeats; at most a few are kept, the rest counted.
    QStringList const& warnings() const { return m_warnings; }
    int droppedWarnings() const { return m_droppedWarnings; }

private:
    Q_DISABLE_COPY(GdalErrorScope)

    static void CPL_STDCALL collect(CPLErr level, CPLErrorNum number, char const* message);
    void take(CPLErr level, QString const& message);

    QStringList m_errors;
    int m_errorCount = 0;
    QStringList m_warnings;
    int m_droppedWarnings = 0;
};

} // namespace readers
} // namespace quarro

#endif // QUARRO_READERS_GDAL_GDALERRORSCOPE_H
