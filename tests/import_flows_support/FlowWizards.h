#ifndef QUARRO_TESTS_IMPORT_FLOWS_FLOWWIZARDS_H
#define QUARRO_TESTS_IMPORT_FLOWS_FLOWWIZARDS_H

#include "QImportWizard.h"
#include "housekeeping/DataSource.h"

#include <QtGlobal>
#include <boost/shared_ptr.hpp>

#include <stdexcept>
#include <string>

namespace quarro {
namespace test {

// An importer's own wizard, registered for its key: the plain loader and summary, but a class of
// its own, so that tests tell it from the catch-all wizard.
class RegisteredWizard : public import::QImportWizard {
public:
    explicit RegisteredWizard(std::string const& key)
        : QImportWizard(key, nullptr, Qt::WindowFlags()) {}
};

// A wizard whose construction fails, as an importer library's might.
class UnmakeableWizard : public import::QImportWizard {
public:
    explicit UnmakeableWizard(std::string const& key)
        : QImportWizard(key, nullptr, Qt::WindowFlags()) {
        throw std::runtime_error("this wizard cannot be made");
    }
};

// A wizard that throws when it is handed a stored data source.
class BrokenWizard : public import::QImportWizard {
public:
    explicit BrokenWizard(std::string const& key)
        : QImportWizard(key, nullptr, Qt::WindowFlags()) {}

protected:
    void set_sheets_from_datasource(boost::shared_ptr<housekeeping::DataSource>) override {
        throw std::runtime_error("the stored settings do not fit this importer");
    }
};

} // namespace test
} // namespace quarro

#endif // QUARRO_TESTS_IMPORT_FLOWS_FLOWWIZARDS_H
