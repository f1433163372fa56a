#ifndef QUARRO_TESTS_IMPORT_FLOWS_FLOWREADERS_H
#define QUARRO_TESTS_IMPORT_FLOWS_FLOWREADERS_H

#include "AbstractFileReader.h"
#include "housekeeping/DataSource.h"
#include "housekeeping/Document.h"
#include "housekeeping/DocumentId.h"
#include "housekeeping/DocumentManager.h"
#include "model/Point3.h"
#include "model/PointSet.h"
#include "utilities/UrlUtilities.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <boost/make_shared.hpp>
#include <boost/shared_ptr.hpp>

#include <bitset>
#include <string>
#include <vector>

namespace quarro {
namespace test {

// One read of a flow reader: which importer read which files into which document.
struct FlowRead {
    std::string key;
    QStringList files; // file names, in order
    housekeeping::DocumentId document;
    bool inserting = false;
};

inline std::vector<FlowRead>& flowReads() {
    static std::vector<FlowRead> reads;
    return reads;
}

// The importers of the flow tests: each key reads the same small text format, in which every line
// "x y z" is a point that becomes a point set in the document. Verification refuses a file whose
// first line is "bad" (explaining "bad header") and an empty file ("no data"), and finds nothing
// in a file it cannot read (a missing file, a folder), as the base reader does. The native
// importer also refuses a file whose first line is "not native". A file that begins "fail on read"
// or "cancel on read" passes verification and then fails or is cancelled while it is read. Each
// reader lists the extensions of its filter.
template <class Spec>
class FlowReader : public import::AbstractFileReader {
public:
    std::string data_type() override { return "Points"; }
    std::string file_filter() override { return Spec::filter; }
    std::vector<std::string> supported_extentions() const override {
        std::vector<std::string> extensions;
        QRegularExpression const pattern(QStringLiteral("\\*\\.(\\w+)"));
        for (auto it = pattern.globalMatch(QString::fromLatin1(Spec::filter)); it.hasNext();) {
            extensions.push_back(it.next().captured(1).toStdString());
        }
        return extensions;
    }

    std::bitset<4> verify(std::string const& url, QString& message) override {
        std::bitset<4> result = AbstractFileReader::verify(url, message);
        if (!result.test(VERIFY_READABLE)) {
            return result;
        }
        QFile file(utilities::url_to_filesystem(url));
        if (!file.open(QIODevice::ReadOnly) || file.size() == 0) {
            message += QStringLiteral("no data");
            return {};
        }
        QByteArray const first_line = file.readLine().trimmed();
        if (first_line == "bad") {
            message += QStringLiteral("bad header");
            return {};
        }
        if (first_line == "not native" && std::string(Spec::key) == "QRO") {
            message += QStringLiteral("not native");
            return {};
        }
        result.set(VERIFY_ACCEPTED);
        return result;
    }

    ImportState import_data(boost::shared_ptr<housekeeping::DataSource> source,
                            housekeeping::DocumentId const& id, bool, brkBase::AbstractProgress*,
                            bool inserting) override {
        FlowRead read;
        read.key = Spec::key;
        read.document = id;
        read.inserting = inserting;
        std::vector<housekeeping::Document::ObjectPtr> objects;
        for (std::string const& url : source->urls()) {
            QString const path = utilities::url_to_filesystem(url);
            read.files << QFileInfo(path).fileName();
            QFile file(path);
            if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
                register_failure(QFileInfo(path).fileName(), QStringLiteral("cannot open<br />"));
                flowReads().push_back(read);
                return IMPORT_FAILED;
            }
            QByteArray const content = file.readAll();
            // Files that pass verification and then go wrong while they are read.
            if (content.startsWith("fail on read") || content.startsWith("cancel on read")) {
                flowReads().push_back(read);
                if (content.startsWith("cancel")) {
                    return IMPORT_CANCELLED;
                }
                register_failure(QFileInfo(path).fileName(), QStringLiteral("broken data<br />"));
                return IMPORT_FAILED;
            }
            int line_number = 0;
            for (QByteArray const& line : content.split('\n')) {
                ++line_number;
                QList<QByteArray> const words = line.simplified().split(' ');
                if (words.size() != 3) {
                    continue;
                }
                auto points = boost::make_shared<model::PointSet>();
                points->setName(QFileInfo(path).fileName() + QLatin1Char(':') +
                                QString::number(line_number));
                points->addPoint(model::Point3<double>(words[0].toDouble(), words[1].toDouble(),
                                                       words[2].toDouble()));
                objects.push_back(points);
            }
            register_success(QFileInfo(path).fileName());
        }
        flowReads().push_back(read);
        auto* document = dynamic_cast<housekeeping::Document*>(
            housekeeping::DocumentManager::instance().document_from_id(id));
        if (document == nullptr) {
            return IMPORT_FAILED;
        }
        for (housekeeping::Document::ObjectPtr const& object : objects) {
            document->add_object(object);
        }
        return IMPORT_OK;
    }
};

// The importers' keys and the filter texts they offer in the file dialogs.
struct NativeSpec {
    static constexpr char const* key = "QRO";
    static constexpr char const* filter = "QRO Format (*.qro *.quarro *.qroz)";
};
struct ProjectSpec {
    static constexpr char const* key = "QUARRO";
    static constexpr char const* filter = "Quarro projects (*.qrod)";
};
struct LinesSpec {
    static constexpr char const* key = "VBL";
    static constexpr char const* filter = "VBL lines (*.vbl)";
};
struct DrawingSpec {
    static constexpr char const* key = "DXF";
    static constexpr char const* filter = "DXF drawings (*.dxf)";
};
struct WellsSpec {
    static constexpr char const* key = "WELLS";
    static constexpr char const* filter = "LAS wells (*.las)";
};
struct TextSpec {
    static constexpr char const* key = "TXT";
    static constexpr char const* filter = "Text points (*.txt)";
};
// Offered only by the image dialog: "Check" keeps it out of the Open and Insert dialogs.
struct RasterSpec {
    static constexpr char const* key = "DEMRaster";
    static constexpr char const* filter = "Check raster images";
};
struct BrokenSpec {
    static constexpr char const* key = "BROKEN";
    static constexpr char const* filter = "Broken importer (*.brk)";
};

} // namespace test
} // namespace quarro

#endif // QUARRO_TESTS_IMPORT_FLOWS_FLOWREADERS_H
