// A reader plugin of the application's tests, loaded from a folder named by QUARRO_PLUGIN_PATH as
// a format library would be. Key "APPTEST", files *.apptest:
//
//     APPTEST
//     well W-1 1000 2000        a well at (1000, 2000)
//     point 10 20               a point of the file's point set
//     fail the reason           the read fails with that reason
//
// so that tests can load real objects through the import manager's flows.
#include "AbstractFileReaderFactory.h"
#include "ProductRegistration.h"
#include "housekeeping/DataSource.h"
#include "housekeeping/Document.h"
#include "housekeeping/DocumentManager.h"
#include "model/PointSet.h"
#include "model/Well.h"
#include "utilities/UrlUtilities.h"

#include <QFile>
#include <QFileInfo>
#include <QTextStream>

#include <memory>

namespace {

using namespace quarro;

class AppTestReader : public import::AbstractFileReader {
public:
    std::string data_type() override { return "AppTest"; }
    std::string file_filter() override { return "App Test Format (*.apptest)"; }
    std::vector<std::string> supported_extentions() const override { return {"apptest"}; }

    std::bitset<4> verify(std::string const& url, QString& message) override {
        std::bitset<4> bits = AbstractFileReader::verify(url, message);
        QFile file(utilities::url_to_filesystem(url));
        if (file.open(QIODevice::ReadOnly) && file.readLine().trimmed() == "APPTEST") {
            bits.set(VERIFY_ACCEPTED);
        } else {
            message = QStringLiteral("not an APPTEST file");
        }
        return bits;
    }

    ImportState import_data(boost::shared_ptr<housekeeping::DataSource> source,
                            housekeeping::DocumentId const& id, bool, brkBase::AbstractProgress*,
                            bool) override {
        QString const path = utilities::url_to_filesystem(source->url());
        QString const name = QFileInfo(path).fileName();
        auto* document = dynamic_cast<housekeeping::Document*>(
            housekeeping::DocumentManager::instance().document_from_id(id));
        QFile file(path);
        if (document == nullptr || !file.open(QIODevice::ReadOnly | QIODevice::Text)) {
            register_failure(name, QStringLiteral("cannot read"));
            return IMPORT_FAILED;
        }
        QTextStream in(&file);
        in.readLine();
        std::vector<housekeeping::Document::ObjectPtr> objects;
        auto points = std::make_unique<model::PointSet>();
        points->setName(QFileInfo(path).completeBaseName());
        while (!in.atEnd()) {
            QStringList const words = in.readLine().split(QLatin1Char(' '), Qt::SkipEmptyParts);
            if (words.size() >= 2 && words[0] == QLatin1String("fail")) {
                register_failure(name, words.mid(1).join(QLatin1Char(' ')));
                return IMPORT_FAILED;
            }
            if (words.size() == 4 && words[0] == QLatin1String("well")) {
                auto well = std::make_unique<model::Well>();
                well->setName(words[1]);
                model::DepthReference reference;
                reference.x = words[2].toDouble();
                reference.y = words[3].toDouble();
                well->setDepthReference(reference);
                objects.emplace_back(well.release());
            } else if (words.size() == 3 && words[0] == QLatin1String("point")) {
                points->addPoint(
                    model::Point3<double>(words[1].toDouble(), words[2].toDouble(), 0));
            }
        }
        if (points->pointCount() > 0) {
            objects.emplace_back(points.release());
        }
        for (housekeeping::Document::ObjectPtr const& object : objects) {
            document->add_object(object);
        }
        register_success(name);
        return IMPORT_OK;
    }
};

import::ProductRegistration<import::AbstractFileReaderFactory, AppTestReader> s_factory("APPTEST");

} // namespace
