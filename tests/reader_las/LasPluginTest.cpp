#include "AbstractFileReaderFactory.h"
#include "TestApplication.h"
#include "housekeeping/DataSource.h"
#include "housekeeping/Document.h"
#include "housekeeping/DocumentManager.h"
#include "model/Well.h"
#include "utilities/UrlUtilities.h"

#include <QLibrary>
#include <gtest/gtest.h>

#include <boost/make_shared.hpp>

using namespace quarro;

// The application loads the plugin and makes the reader by key; the plugin must carry the whole
// reader (this test links only the import library).
TEST(LasPlugin, RegistersTheReaderUnderWellsAndReadsAFile) {
    QLibrary plugin(QStringLiteral(QUARRO_LAS_PLUGIN));
    ASSERT_TRUE(plugin.load()) << plugin.errorString().toStdString();

    boost::shared_ptr<import::AbstractFileReader> const reader =
        import::AbstractFileReaderFactory::create("WELLS");
    ASSERT_TRUE(reader);
    EXPECT_EQ("Well", reader->data_type());
    EXPECT_EQ("LAS well logs (*.las *.LAS)", reader->file_filter());

    std::string const url = utilities::filesystem_to_url(test::dataFile("las/sample_2.0.las"));
    QString message;
    EXPECT_EQ(std::bitset<4>("1001"), reader->verify(url, message));

    housekeeping::DocumentManager& manager = housekeeping::DocumentManager::instance();
    housekeeping::DocumentId const id = manager.create_document();
    EXPECT_EQ(import::AbstractFileReader::IMPORT_OK,
              reader->import_data(boost::make_shared<housekeeping::DataSource>(url, nullptr), id,
                                  true, nullptr, false));
    auto* document = dynamic_cast<housekeeping::Document*>(manager.document_from_id(id));
    ASSERT_NE(nullptr, document);
    ASSERT_EQ(1u, document->object_count());
    auto const* well = dynamic_cast<model::Well const*>(document->objects().front().get());
    ASSERT_NE(nullptr, well);
    EXPECT_EQ("AAAAA_2", well->name());
    EXPECT_EQ(7, well->curveCount());
    manager.destroy_all();
}
