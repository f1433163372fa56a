#ifndef QUARRO_IMPORT_EXPORT_H
#define QUARRO_IMPORT_EXPORT_H

#include <QtCore/qglobal.h>

// The import library builds with hidden visibility: only what carries this macro is exported.
#if defined(QUARRO_IMPORT_LIBRARY)
#define QUARRO_IMPORT_EXPORT Q_DECL_EXPORT
#else
#define QUARRO_IMPORT_EXPORT Q_DECL_IMPORT
#endif

#endif // QUARRO_IMPORT_EXPORT_H
