#ifndef QUARRO_HOUSEKEEPING_APPLICATIONMANAGER_H
#define QUARRO_HOUSEKEEPING_APPLICATIONMANAGER_H

#include "QuarroHostExport.h"

#include <QtGlobal>

class QApplication;

namespace quarro {
namespace housekeeping {

// What libraries may ask about the running application.
class QUARRO_HOST_EXPORT ApplicationManager {
public:
    static ApplicationManager& instance();

    // The widget application; null in a console program.
    QApplication* qapplication() const;

    // Whether the main window exists (set by AbstractMainWindow).
    bool main_window_exists() const { return m_main_window_exists; }
    void main_window_exists(bool exists) { m_main_window_exists = exists; }

private:
    ApplicationManager() = default;
    Q_DISABLE_COPY(ApplicationManager)

    bool m_main_window_exists = false;
};

} // namespace housekeeping
} // namespace quarro

#endif // QUARRO_HOUSEKEEPING_APPLICATIONMANAGER_H
