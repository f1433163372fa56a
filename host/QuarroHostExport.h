#ifndef QUARRO_HOST_EXPORT_H
#define QUARRO_HOST_EXPORT_H

#include <QtCore/qglobal.h>

// The host library builds with hidden visibility: only what carries this macro is exported.
#if defined(QUARRO_HOST_LIBRARY)
#define QUARRO_HOST_EXPORT Q_DECL_EXPORT
#else
#define QUARRO_HOST_EXPORT Q_DECL_IMPORT
#endif

#endif // QUARRO_HOST_EXPORT_H
