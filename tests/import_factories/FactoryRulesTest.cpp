// Lookup rules of a factory without a default product: registration order, key order,
// duplicate keys and unregistered keys.
#include "AbstractFileReaderFactory.h"
#include "ConcreteProductFactory.h"
#include "FakeFileReader.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using namespace quarro::import;
using quarro::test::FakeFileReader;

struct ReaderB {
    static constexpr char const* text = "B reader (*.b)";
};
struct ReaderA {
    static constexpr char const* text = "A reader (*.a)";
};
struct Intruder {
    static constexpr char const* text = "Intruder (*.b)";
};

// Registered in this order: B first, then A.
ConcreteProductFactory<AbstractFileReaderFactory, FakeFileReader<ReaderB>> s_b("B");
ConcreteProductFactory<AbstractFileReaderFactory, FakeFileReader<ReaderA>> s_a("A");

// Opens the protected default key so that a test can put a key there that nobody registered.
struct DefaultKey : AbstractFileReaderFactory {
    using AbstractFileReaderFactory::default_product;
};

template <class Call>
std::string errorOf(Call call) {
    try {
        call();
    } catch (std::runtime_error const& e) {
        return e.what();
    }
    return "no exception";
}

TEST(FactoryRules, KeysListInRegistrationOrderButTheFirstKeyServesCreate) {
    EXPECT_EQ((std::vector<std::string>{"B", "A"}), AbstractFileReaderFactory::products());
    EXPECT_EQ((std::vector<std::string>{"B", "A"}),
              std::vector<std::string>(AbstractFileReaderFactory::products_begin(),
                                       AbstractFileReaderFactory::products_end()));
    // Without a default, create() makes the product whose key sorts first.
    EXPECT_EQ(ReaderA::text, AbstractFileReaderFactory::create()->file_filter());
    std::unique_ptr<AbstractFileReader> owned(AbstractFileReaderFactory::create_unmanaged());
    EXPECT_EQ(ReaderA::text, owned->file_filter());

    EXPECT_EQ(ReaderB::text, AbstractFileReaderFactory::create("B")->file_filter());
    std::unique_ptr<AbstractFileReader> b1(AbstractFileReaderFactory::create_unmanaged("B"));
    std::unique_ptr<AbstractFileReader> b2(AbstractFileReaderFactory::create_unmanaged("B"));
    EXPECT_NE(b1.get(), b2.get()) << "every call makes a new product";
    EXPECT_EQ(ReaderB::text, b2->file_filter());
}

TEST(FactoryRules, UnregisteredKeyWithoutDefaultNamesFactoryAndKey) {
    std::string const expected = "Abstract factory 'AbstractFileReaderFactory' does not have the "
                                 "required product name 'LAS' registered. Please contact Brennick "
                                 "with a bug-report";
    EXPECT_EQ(expected, errorOf([] { AbstractFileReaderFactory::create("LAS"); }));
    EXPECT_EQ(expected, errorOf([] { AbstractFileReaderFactory::create_unmanaged("LAS"); }));
    // Keys compare byte for byte.
    EXPECT_NE("no exception", errorOf([] { AbstractFileReaderFactory::create("b"); }));
}

TEST(FactoryRules, SecondRegistrationOfAKeyThrowsAndChangesNothing) {
    std::string const error = errorOf([] {
        ConcreteProductFactory<AbstractFileReaderFactory, FakeFileReader<Intruder>> dup("B", true);
    });
    EXPECT_EQ("Two products with name 'B' are attempting to register with abstract factory "
              "'AbstractFileReaderFactory'. Please contact Brennick with a bug-report.",
              error);
    EXPECT_EQ((std::vector<std::string>{"B", "A"}), AbstractFileReaderFactory::products());
    EXPECT_EQ(ReaderB::text, AbstractFileReaderFactory::create("B")->file_filter());
    // The failed registration asked to be the default, but the default is still unset.
    EXPECT_TRUE(DefaultKey::default_product().empty());
    EXPECT_EQ(ReaderA::text, AbstractFileReaderFactory::create()->file_filter());
}

TEST(FactoryRules, DefaultKeyThatIsNotRegisteredFailsBothLookups) {
    DefaultKey::default_product() = "GONE";
    std::string const by_default = errorOf([] { AbstractFileReaderFactory::create(); });
    std::string const by_key = errorOf([] { AbstractFileReaderFactory::create_unmanaged("LAS"); });
    DefaultKey::default_product().clear();

    EXPECT_EQ("Abstract factory has no registered concrete factory classes. Please contact "
              "Brennick with a bug-report.",
              by_default);
    EXPECT_EQ("Abstract factory 'AbstractFileReaderFactory' does not have the required product "
              "name 'LAS' registered. Please contact Brennick with a bug-report",
              by_key);
}

} // namespace
