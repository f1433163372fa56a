#include "housekeeping/ApplicationManager.h"

#include <QApplication>

namespace quarro {
namespace housekeeping {

ApplicationManager& ApplicationManager::instance() {
    static ApplicationManager manager;
    return manager;
}

QApplication* ApplicationManager::qapplication() const {
    return qobject_cast<QApplication*>(QCoreApplication::instance());
}

} // namespace housekeeping
} // namespace quarro
