#ifndef QUARRO_APP_BATCHIMPORT_H
#define QUARRO_APP_BATCHIMPORT_H

#include "housekeeping/DocumentId.h"

#include <QSet>
#include <QString>
#include <QStringList>

#include <map>
#include <string>
#include <vector>

class QTextStream;

namespace quarro {
namespace app {

// Imports a list of files through the import manager's flows, as a user opening them would: each
// file gets its importer (the one named, or the one the import manager picks), the files of one
// importer go through one run of its modal import wizard, and the outcome of every file is read
// from that wizard's summary.
//
// Every wizard loads into a new document (or the blank current one). With one_document, only the
// first does: every later wizard inserts into the document the first one loaded, so that all
// files end up in one document (to be saved as one). With answer_automatically, a WizardWatcher
// answers the wizards and message boxes, so nobody needs to be at the screen.
class BatchImport {
public:
    // Skipped: a file found in a folder that no importer takes; it does not count as failed.
    enum class Outcome { Loaded, Failed, Cancelled, Skipped };

    struct FileResult {
        QString path;
        std::string key;
        Outcome outcome = Outcome::Failed;
        // Why a file never reached a wizard; the wizard's summary says why it failed there.
        QString reason;
    };

    // One run of a wizard.
    struct WizardRun {
        std::string key;
        QStringList files;
        QString summary_html;
    };

    struct Result {
        std::vector<FileResult> files;
        std::vector<WizardRun> runs;
        // "title: text" of the message boxes answered on the user's behalf.
        QStringList messages;
        // The documents the files went into, in order; empty when nothing was loaded.
        std::vector<housekeeping::DocumentId> documents;

        int count(Outcome outcome) const;
        bool all_loaded() const {
            int const wanted = int(files.size()) - count(Outcome::Skipped);
            return wanted > 0 && count(Outcome::Loaded) == wanted;
        }
    };

    BatchImport(bool answer_automatically, bool one_document);
    // Answering automatically, copy each wizard's summary into its document's journal, as the
    // wizard's Journal button does.
    void set_keep_journal(bool keep) { m_keep_journal = keep; }

    // key empty: each file with the importer the import manager chooses for it. The key must be
    // registered. A file in skippable that no importer takes is skipped rather than failed.
    Result run(QStringList const& files, std::string const& key,
               QSet<QString> const& skippable = QSet<QString>());

    // The text of an HTML summary as a user reads it: line breaks kept, markup gone.
    static QString plain_text(QString const& html);

    // Each wizard's summary as plain text, the files that never reached a wizard with the reason,
    // then one line with the totals.
    static void print(Result const& result, QTextStream& out);

private:
    // The outcomes a summary reports: loaded files by path, cancelled ones by name.
    static std::map<QString, Outcome> outcomes_in(QString const& summary_html);
    // The outcome of path among them.
    static Outcome outcome_of(std::map<QString, Outcome> const& outcomes, QString const& path);

    bool m_answer;
    bool m_one_document;
    bool m_keep_journal = false;
};

} // namespace app
} // namespace quarro

#endif // QUARRO_APP_BATCHIMPORT_H
