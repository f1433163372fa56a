#include "ApplicationStartup.h"

#include "DocumentInsertImplementation.h"
#include "ImportManager.h"
#include "MainWindow.h"
#include "PluginLoader.h"
#include "base/brkDestructor.h"
#include "base/brkProductInfo.h"
#include "housekeeping/DocumentManager.h"

#include <QCoreApplication>

namespace quarro {
namespace app {

void ApplicationStartup::set_identity() {
    brkBase::brkProductInfo const& info = brkBase::brkProductInfo::instance();
    QCoreApplication::setOrganizationName(QString::fromStdString(info.organisation_name()));
    QCoreApplication::setApplicationName(QString::fromStdString(info.product_name()));
    QCoreApplication::setApplicationVersion(QString::fromStdString(info.version()));
}

ApplicationStartup::Report ApplicationStartup::load_plugins(QString const& application_dir) {
    Report report;
    report.plugin_folders = PluginLoader::plugin_folders(application_dir);
    PluginLoader loader;
    loader.load_folders(report.plugin_folders);
    // After the plugins: an insert command that a plugin brings takes precedence.
    DocumentInsertImplementation::register_products();
    report.loaded_plugins = loader.loaded();
    report.failed_plugins = loader.failed();
    return report;
}

std::unique_ptr<MainWindow> ApplicationStartup::start(QString const& application_dir,
                                                      Report* report) {
    Report const loaded = load_plugins(application_dir);
    if (report != nullptr) {
        *report = loaded;
    }
    import::ImportManager& manager = import::ImportManager::instance();
    std::unique_ptr<MainWindow> window(new MainWindow);
    window->build_menus();
    manager.post_init();
    housekeeping::DocumentManager::instance().create_document();
    if (QCoreApplication* const application = QCoreApplication::instance()) {
        QObject::connect(application, &QCoreApplication::aboutToQuit, application,
                         &ApplicationStartup::shut_down);
    }
    return window;
}

void ApplicationStartup::shut_down() {
    brkBase::brkDestructor::destroy_all();
    housekeeping::DocumentManager::instance().destroy_all();
}

} // namespace app
} // namespace quarro
