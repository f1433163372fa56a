#include "AbstractFileReaderFactory.h"
#include "TestApplication.h"
#include "housekeeping/DataSource.h"
#include "housekeeping/Document.h"
#include "housekeeping/DocumentManager.h"
#include "model/CornerPointGrid.h"
#include "utilities/UrlUtilities.h"

#include <QLibrary>
#include <gtest/gtest.h>

#include <boost/make_shared.hpp>

using namespace quarro;

// The application loads the plugin and makes the reader by key; the plugin must carry the whole
// reader (this test links only the import library).
TEST(GrdeclPlugin, RegistersTheReaderUnderGrdeclAndReadsAFile) {
    QLibrary plugin(QStringLiteral(QUARRO_GRDECL_PLUGIN));
    ASSERT_TRUE(plugin.load()) << plugin.errorString().toStdString();

    boost::shared_ptr<import::AbstractFileReader> const reader =
        import::AbstractFileReaderFactory::create("GRDECL");
    ASSERT_TRUE(reader);
    EXPECT_EQ("Grid", reader->data_type());
    EXPECT_EQ("Eclipse corner-point grids (*.grdecl *.GRDECL)", reader->file_filter());

    std::string const url = utilities::filesystem_to_url(test::dataFile("grdecl/snarkgrid.grdecl"));
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
    auto const* grid =
        dynamic_cast<model::CornerPointGrid const*>(document->objects().front().get());
    ASSERT_NE(nullptr, grid);
    EXPECT_EQ("snarkgrid", grid->name());
    EXPECT_EQ(980u, grid->cellCount());
    EXPECT_EQ(5, grid->propertyNames().size());
    manager.destroy_all();
}
