// The log text each import exception adds to the host's exception.
#include "BuilderException.h"
#include "ImportCanceledException.h"
#include "ImportException.h"
#include "InsertCommandConstructionException.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

using namespace quarro::import;

std::string logOf(quarro::Exception const& e) {
    std::ostringstream os;
    e.log_information(os);
    return os.str();
}

std::string baseLogOf(unsigned code, std::string const& message, char const* file, unsigned line) {
    return logOf(quarro::Exception(code, message, file, line));
}

TEST(ImportExceptions, EachAddsItsOwnLineAfterTheBaseText) {
    std::string const base = baseLogOf(7, "cannot read", "readers/las/LasReader", 120);
    ASSERT_FALSE(base.empty());

    ImportException const missing(7, std::string("cannot read"), "readers/las/LasReader", 120,
                                  "C:/data/a.txt");
    EXPECT_EQ(base + "Error, cannot open file : = \"C:/data/a.txt\"\n", logOf(missing));
    ImportException const unnamed(7, std::string("cannot read"), "readers/las/LasReader", 120, "");
    EXPECT_EQ(base + "Error, cannot open file : = \"\"\n", logOf(unnamed));

    EXPECT_EQ(base + "Builder Error\n",
              logOf(BuilderException(7, std::string("cannot read"), "readers/las/LasReader", 120)));
    EXPECT_EQ(base, logOf(ImportCanceledException(7, std::string("cannot read"),
                                                  "readers/las/LasReader", 120)));
    EXPECT_EQ(base, logOf(InsertCommandConstructionException(7, std::string("cannot read"),
                                                             "readers/las/LasReader", 120)));
}

TEST(ImportExceptions, QStringMessagesArriveAsUtf8AndCopiesKeepEverything) {
    QString const message = QStringLiteral("Bohrung \u00d6lfeld 3 \u2013 Tiefe");
    BuilderException const e(3, message, "src", 9);
    EXPECT_EQ(message.toUtf8().toStdString(), e.what());
}

} // namespace
