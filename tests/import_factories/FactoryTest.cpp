// Lookups of the factories that share one template, each set up differently: the file readers
// without a default product, the insert-command implementations with two, the wizards with none
// registered; and a reader that a plugin library registers when it loads.
#include "AbstractFileReaderFactory.h"
#include "AbstractInsertCommandImplementationFactory.h"
#include "ConcreteProductFactory.h"
#include "FakeFileReader.h"
#include "ImportException.h"
#include "QImportWizardFactory.h"

#include <QLibrary>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using namespace quarro::import;
using quarro::test::FakeFileReader;
using Readers = AbstractFileReaderFactory;
using Implementations = AbstractInsertCommandImplementationFactory;
using Keys = std::vector<std::string>;

struct ReaderB {
    static constexpr char const* text = "B reader (*.b)";
};
struct ReaderA {
    static constexpr char const* text = "A reader (*.a)";
};

// An implementation that only tells which one it is.
template <int Tag>
class TaggedImplementation : public AbstractInsertCommandImplementation {
public:
    void do_command() override {}
    void undo_command() override {}
    void remember() override {}
    void rollback() override {}
    void finished(bool) override {}
    QString summary() override { return QString::number(Tag); }
    AbstractFileReader::ImportState import_state() override {
        return AbstractFileReader::IMPORT_OK;
    }
};

// Registered in this order: B first, then A; the later default of the implementations wins.
ConcreteProductFactory<Readers, FakeFileReader<ReaderB>> s_b("B");
ConcreteProductFactory<Readers, FakeFileReader<ReaderA>> s_a("A");
ConcreteProductFactory<Implementations, TaggedImplementation<1>> s_first("FIRST", true);
ConcreteProductFactory<Implementations, TaggedImplementation<2>> s_plain("PLAIN");
ConcreteProductFactory<Implementations, TaggedImplementation<3>> s_second("SECOND", true);

std::string const no_factories = "Abstract factory has no registered concrete factory classes. "
                                 "Please contact Brennick with a bug-report.";
std::string noProduct(std::string const& key) {
    return "Abstract factory 'AbstractFileReaderFactory' does not have the required product name "
           "'" +
           key + "' registered. Please contact Brennick with a bug-report";
}

std::string describe(AbstractFileReader* reader) {
    return reader->file_filter();
}
std::string describe(AbstractInsertCommandImplementation* made) {
    return made->summary().toStdString();
}
std::string describe(QImportWizard*) {
    return "a wizard";
}

// What a lookup gives: the product's own text, or the error it throws. Unmanaged products are
// deleted here.
template <class Factory>
std::function<std::string()> lookup(std::string const& key, bool managed = true) {
    return [key, managed] {
        try {
            if (managed) {
                return describe((key.empty() ? Factory::create() : Factory::create(key)).get());
            }
            std::unique_ptr<typename decltype(Factory::create())::element_type> owned(
                key.empty() ? Factory::create_unmanaged() : Factory::create_unmanaged(key));
            return describe(owned.get());
        } catch (std::runtime_error const& e) {
            return std::string(e.what());
        }
    };
}

// Every lookup of the factories that share one template gives its product's own text or the error
// it throws.
TEST(FactoryLookup, GivesTheExpectedProductOrError) {
    std::pair<std::function<std::string()>, std::string> const cases[] = {
        // Without a default the key that sorts first serves create().
        {lookup<Readers>(""), ReaderA::text},
        {lookup<Readers>("", false), ReaderA::text},
        {lookup<Readers>("B"), ReaderB::text},
        {lookup<Readers>("LAS"), noProduct("LAS")},
        {lookup<Readers>("b"), noProduct("b")},
        // With defaults the later one wins and serves unregistered keys quietly.
        {lookup<Implementations>(""), "3"},
        {lookup<Implementations>("INQuarro"), "3"},
        {lookup<Implementations>("X", false), "3"},
        {lookup<Implementations>("FIRST"), "1"},
        // Nothing registered: every form fails alike.
        {lookup<QImportWizardFactory>("QRO"), no_factories},
        {lookup<QImportWizardFactory>(""), no_factories},
        {lookup<QImportWizardFactory>("", false), no_factories},
    };
    for (std::size_t n = 0; n < std::size(cases); ++n) {
        EXPECT_EQ(cases[n].second, cases[n].first()) << "case " << n;
    }
}

TEST(FactoryRules, SecondRegistrationOfAKeyThrowsAndChangesNothing) {
    EXPECT_EQ(Keys({"B", "A"}), Readers::products()) << "listed in registration order";
    EXPECT_TRUE(QImportWizardFactory::products().empty());
    std::string error;
    try {
        ConcreteProductFactory<Readers, FakeFileReader<ReaderA>> dup("B", true);
    } catch (std::runtime_error const& e) {
        error = e.what();
    }
    EXPECT_EQ("Two products with name 'B' are attempting to register with abstract factory "
              "'AbstractFileReaderFactory'. Please contact Brennick with a bug-report.",
              error);
    EXPECT_EQ(Keys({"B", "A"}), Readers::products());
    EXPECT_EQ(ReaderB::text, lookup<Readers>("B")());
    EXPECT_EQ(ReaderA::text, lookup<Readers>("")()) << "the failed registration set no default";
}

TEST(ReaderPlugin, RegistersOnLoadAndThrowsAcrossTheLibraryBorder) {
    QLibrary plugin(QStringLiteral(QUARRO_TEST_PLUGIN));
    ASSERT_TRUE(plugin.load()) << plugin.errorString().toStdString();
    EXPECT_EQ(Keys({"B", "A", "PLUGIN"}), Readers::products());
    EXPECT_EQ("Plugin files (*.plg)", lookup<Readers>("PLUGIN")());
    try {
        Readers::create("PLUGIN")->import_data({}, {}, false, nullptr, false);
        FAIL() << "the plugin reader should throw";
    } catch (ImportException const& e) {
        EXPECT_EQ(42u, e.code()) << "caught by its type on this side";
    }
    // The library stays loaded: its factory must outlive every lookup.
}

} // namespace
