#ifndef QUARRO_TESTS_IMPORT_WIZARD_SCRIPTEDREADER_H
#define QUARRO_TESTS_IMPORT_WIZARD_SCRIPTEDREADER_H

#include "AbstractFileReader.h"
#include "ProgressCancelHook.h"
#include "base/AbstractProgress.h"
#include "housekeeping/DataSource.h"
#include "housekeeping/Document.h"
#include "housekeeping/DocumentManager.h"
#include "model/PointSet.h"
#include "utilities/Exception.h"
#include "utilities/UrlUtilities.h"

#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <QThread>
#include <boost/make_shared.hpp>

#include <stdexcept>
#include <string>
#include <vector>

namespace quarro {
namespace test {

// What the test readers were asked to do, for the tests to check afterwards.
struct ReaderJournal {
    struct Call {
        QStringList files; // file names of the data source, in order
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

// A reader of a tiny test format that really fills documents. Each line of a file is a command:
//   x y z          a point set of one point, named after the file and the line
//   fail <reason>  the file fails with that reason (nothing of it is added)
//   cancel         the reader reports IMPORT_CANCELLED
//   throw          a quarro::Exception leaves import_data
//   poll <n>       polls the cancel hook n times, slowly; a cancel ends the read as cancelled
// The objects of a file are added only once the whole file has been read.
class ScriptedReader : public import::AbstractFileReader {
public:
    std::string data_type() override { return "Point"; }
    std::string file_filter() override { return "Scripted points (*.pts)"; }
    std::vector<std::string> supported_extentions() const override { return {"pts"}; }

    ImportState import_data(boost::shared_ptr<housekeeping::DataSource> source,
                            housekeeping::DocumentId const& id, bool importing,
                            brkBase::AbstractProgress* progress, bool inserting) override {
        ReaderJournal::Call call;
        call.importing = importing;
        call.inserting = inserting;
        call.had_progress = progress != nullptr;
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
            if (words.isEmpty()) {
                continue;
            }
            QString const command = words.first();
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
            auto points = boost::make_shared<model::PointSet>();
            points->setName(name + QLatin1Char(':') + QString::number(line_no));
            points->addPoint(model::Point3<double>(
                words.value(0).toDouble(), words.value(1).toDouble(), words.value(2).toDouble()));
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

#endif // QUARRO_TESTS_IMPORT_WIZARD_SCRIPTEDREADER_H
