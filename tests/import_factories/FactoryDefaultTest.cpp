// A factory with default products: the later default wins and serves unregistered keys.
#include "AbstractInsertCommandImplementationFactory.h"
#include "ConcreteProductFactory.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

using namespace quarro::import;

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
    AbstractFileReader::ImportState import_state() override { return AbstractFileReader::IMPORT_OK; }
};

using Factory = AbstractInsertCommandImplementationFactory;
ConcreteProductFactory<Factory, TaggedImplementation<1>> s_first("FIRST", true);
ConcreteProductFactory<Factory, TaggedImplementation<2>> s_plain("PLAIN");
ConcreteProductFactory<Factory, TaggedImplementation<3>> s_second("SECOND", true);

TEST(FactoryDefaults, LaterDefaultRegistrationWins) {
    EXPECT_EQ("3", Factory::create()->summary());
    std::unique_ptr<AbstractInsertCommandImplementation> owned(Factory::create_unmanaged());
    EXPECT_EQ("3", owned->summary());
}

TEST(FactoryDefaults, UnregisteredKeyQuietlyGivesTheDefaultProduct) {
    EXPECT_EQ("3", Factory::create("INQuarro")->summary());
    std::unique_ptr<AbstractInsertCommandImplementation> owned(
        Factory::create_unmanaged("InsertCommandImplementation"));
    EXPECT_EQ("3", owned->summary());
    // A registered key still gets its own product.
    EXPECT_EQ("2", Factory::create("PLAIN")->summary());
    EXPECT_EQ("1", Factory::create("FIRST")->summary());
}

} // namespace
