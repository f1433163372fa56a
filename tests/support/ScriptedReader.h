#ifndef QUARRO_TESTS_SCRIPTEDREADER_H
#define QUARRO_TESTS_SCRIPTEDREADER_H

#include "AbstractFileReader.h"
#include "ProgressCancelHook.h"
#include "base/AbstractProgress.h"
#include "housekeeping/DataSource.h"
#include "housekeeping/Document.h"
#include "housekeeping/DocumentId.h"
#include "housekeeping/DocumentManager.h"
#include "model/PointSet.h"
#include "utilities/Exception.h"
#include "utilities/UrlUtilities.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <QThread>
#include <boost/make_shared.hpp>

#include <bitset>
#include <string>
#include <vector>

namespace quarro {
namespace test {

// What the test readers were asked to do, for the tests to check afterwards.
struct ReaderJournal {
    struct Call {
        std::string key;
        QStringList files; // file names of the data source, in order
        housekeeping::DocumentId document;
        bool importing = false;
        bool inserting = false;
        bool had_progress = false;
    };
    std::vector<Call> calls;
    // The file the reader is polling the cancel hook in, while it does.
    QString polling_file;
    // Files whose read ended because the cancel hook said so.
    QStringList saw_cancel;

    void clear() { *this = ReaderJournal(); }
};

inline ReaderJournal& readerJournal() {
    static ReaderJournal journal;
    return journal;
}

// The key and filter of the plain test importer.
struct PointsSpec {
    static constexpr char const* key = "PTS";
    static constexpr char const* filter = "Scripted points (*.pts)";
};

// The one test reader: a tiny format that really fills documents, under the key and filter of
// `Spec` (the extensions are those of the filter). Each line of a file is a command:
//   x y z          a point set of one point, named after the file and the line
//   fail <reason>  the file fails with that reason (nothing of it is added)
//   cancel         the reader reports IMPORT_CANCELLED
//   throw          a quarro::Exception leaves import_data
//   poll <n>       polls the cancel hook n times, slowly; a cancel ends the read as cancelled
// Other lines are ignored. The objects of a file are added only once the whole file has been
// read. Verification refuses an empty file ("no data") and one whose first line is "bad" ("bad
// header"), the "QRO" importer one whose first line is "not native", and finds nothing in a file
// it cannot read, as the base reader does.
template <class Spec = PointsSpec>
class ScriptedReader : public import::AbstractFileReader {
public:
    std::string data_type() override { return "Point"; }
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
                            housekeeping::DocumentId const& id, bool importing,
                            brkBase::AbstractProgress* progress, bool inserting) override {
        ReaderJournal::Call call{Spec::key, {}, id, importing, inserting, progress != nullptr};
        for (std::string const& url : source->urls()) {
            call.files << QFileInfo(utilities::url_to_filesystem(url)).fileName();
        }
        readerJournal().calls.push_back(call);

        std::vector<housekeeping::Document::ObjectPtr> objects;
        for (std::string const& url : source->urls()) {
            QString const path = utilities::url_to_filesystem(url);
            QString const name = QFileInfo(path).fileName();
            ImportState const state = read_file(path, name, progress, objects);
            if (state != IMPORT_OK) {
                return state;
            }
            register_success(name);
        }
        // Looked up only now: polling runs the event loop, where the document may be closed.
        auto* document = dynamic_cast<housekeeping::Document*>(
            housekeeping::DocumentManager::instance().document_from_id(id));
        if (document == nullptr) {
            register_failure(QStringLiteral("document"), QStringLiteral("gone<br />"));
            return IMPORT_FAILED;
        }
        for (housekeeping::Document::ObjectPtr const& object : objects) {
            document->add_object(object);
        }
        return IMPORT_OK;
    }

private:
    ImportState read_file(QString const& path, QString const& name,
                          brkBase::AbstractProgress* progress,
                          std::vector<housekeeping::Document::ObjectPtr>& objects) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
            register_failure(name, QStringLiteral("cannot open<br />"));
            return IMPORT_FAILED;
        }
        QTextStream in(&file);
        int line_no = 0;
        while (!in.atEnd()) {
            QStringList const words = in.readLine().split(QLatin1Char(' '), Qt::SkipEmptyParts);
            ++line_no;
            QString const command = words.value(0);
            if (command == QLatin1String("fail")) {
                register_failure(name, words.mid(1).join(QLatin1Char(' ')) + "<br />");
                return IMPORT_FAILED;
            }
            if (command == QLatin1String("cancel")) {
                return IMPORT_CANCELLED;
            }
            if (command == QLatin1String("throw")) {
                throw quarro::Exception(7, "scripted failure", __FILE__, __LINE__);
            }
            if (command == QLatin1String("poll")) {
                if (poll(name, words.value(1).toInt(), progress)) {
                    readerJournal().saw_cancel << name;
                    return IMPORT_CANCELLED;
                }
                continue;
            }
            if (words.size() != 3) {
                continue;
            }
            auto points = boost::make_shared<model::PointSet>();
            points->setName(name + QLatin1Char(':') + QString::number(line_no));
            points->addPoint(model::Point3<double>(words[0].toDouble(), words[1].toDouble(),
                                                   words[2].toDouble()));
            objects.push_back(points);
        }
        return IMPORT_OK;
    }

    // True when the user cancelled.
    static bool poll(QString const& name, int count, brkBase::AbstractProgress* progress) {
        import::ProgressCancelHook hook(progress);
        hook.setProgressPoll(5);
        readerJournal().polling_file = name;
        bool cancelled = false;
        for (int i = 0; i < count && !cancelled; ++i) {
            cancelled = hook.hook()->isCancelled();
            QThread::usleep(200);
        }
        readerJournal().polling_file.clear();
        return cancelled;
    }
};

} // namespace test
} // namespace quarro

#endif // QUARRO_TESTS_SCRIPTEDREADER_H
