// With nothing registered every lookup of the three factories that the import library leaves
// empty throws the same error, whichever form is used.
#include "AbstractFileReaderFactory.h"
#include "AbstractInsertCommandImplementationFactory.h"
#include "QImportWizardFactory.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace {

using namespace quarro::import;

std::string const no_factories = "Abstract factory has no registered concrete factory classes. "
                                 "Please contact Brennick with a bug-report.";

template <class Call>
std::string errorOf(Call call) {
    try {
        call();
    } catch (std::runtime_error const& e) {
        return e.what();
    }
    return "no exception";
}

template <class Factory>
void expectAllLookupsFail() {
    EXPECT_EQ(no_factories, errorOf([] { Factory::create("QRO"); }));
    EXPECT_EQ(no_factories, errorOf([] { Factory::create(); }));
    EXPECT_EQ(no_factories, errorOf([] { Factory::create_unmanaged("QRO"); }));
    EXPECT_EQ(no_factories, errorOf([] { Factory::create_unmanaged(); }));
    EXPECT_TRUE(Factory::products().empty());
    EXPECT_EQ(Factory::products_begin(), Factory::products_end());
}

TEST(EmptyFactories, EveryLookupThrowsTheNoFactoriesError) {
    expectAllLookupsFail<AbstractFileReaderFactory>();
    expectAllLookupsFail<AbstractInsertCommandImplementationFactory>();
    expectAllLookupsFail<QImportWizardFactory>();
}

} // namespace
