#ifndef QUARRO_IMPORT_FILESHARECANCELHOOK_H
#define QUARRO_IMPORT_FILESHARECANCELHOOK_H

#include "QuarroImportExport.h"
#include "importwidgets/CancelHook.h"

#include <QtGlobal>

namespace quarro {
namespace import {

// The hook a reader hands to the parser of one file of an import of several: 0-100% of the file
// becomes its share of the whole bar (file 2 of 4 runs from 25% to 50%); cancel queries go
// straight through. Usually around the hook of a ProgressCancelHook.
class QUARRO_IMPORT_EXPORT FileShareCancelHook {
public:
    FileShareCancelHook(CancelHook const& whole, int index, int count);

    CancelHook const& hook() const { return m_hook; }

private:
    Q_DISABLE_COPY(FileShareCancelHook)

    static bool isCancelled(void* user);
    static void progress(void* user, double percent);

    CancelHook m_whole;
    int m_index;
    int m_count;
    CancelHook m_hook;
};

} // namespace import
} // namespace quarro

#endif // QUARRO_IMPORT_FILESHARECANCELHOOK_H
