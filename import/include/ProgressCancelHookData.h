#ifndef QUARRO_IMPORT_PROGRESSCANCELHOOKDATA_H
#define QUARRO_IMPORT_PROGRESSCANCELHOOKDATA_H

#include "QuarroImportExport.h"

namespace quarro {
namespace import {

// How one thread's reported percentages map onto the progress bar: the bar is split into `size`
// equal shares (one per file); in file mode a reader's percentage fills share `progressNo`, in
// stage mode it fills `progressLimit` percent of the bar after the `progressTotal` percent that
// earlier stages completed. ProgressCancelHook keeps one record per thread.
class QUARRO_IMPORT_EXPORT ProgressCancelHookData {
public:
    ProgressCancelHookData();
    ProgressCancelHookData(ProgressCancelHookData const& other);
    ProgressCancelHookData& operator=(ProgressCancelHookData const& other);

    int size() const { return m_size; }
    double progressLimit() const { return m_progress_limit; }
    double progressTotal() const { return m_progress_total; }
    int progressNo() const { return m_progress_no; }
    int progressType() const { return m_progress_type; }

    enum ProgressType { FileProgress = 0, StageProgress = 1 };

protected:
    void copy(ProgressCancelHookData const& other);

private:
    friend class ProgressCancelHook;

    int m_size = 1;
    double m_progress_limit = 0.0;
    double m_progress_total = 0.0;
    int m_progress_no = 0;
    int m_progress_type = FileProgress;
};

} // namespace import
} // namespace quarro

#endif // QUARRO_IMPORT_PROGRESSCANCELHOOKDATA_H
