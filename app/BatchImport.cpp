#include "BatchImport.h"

#include "AbstractFileReader.h"
#include "AbstractFileReaderFactory.h"
#include "ImportManager.h"
#include "WizardWatcher.h"
#include "housekeeping/AbstractDocument.h"
#include "housekeeping/DocumentManager.h"
#include "utilities/UrlUtilities.h"

#include <QDir>
#include <QFileInfo>
#include <QTextDocument>
#include <QTextStream>

#include <algorithm>
#include <bitset>
#include <exception>
#include <set>

namespace quarro {
namespace app {

namespace {

// The texts the summary sheet writes after a file's path (or, when cancelled, its name).
QString const ok_mark = QStringLiteral(": <b>OK</b>");
QString const failed_mark = QStringLiteral(": <b><font color='red'>Failed</font></b>");
QString const cancelled_mark = QStringLiteral(": <b>Canceled</b>");

QString outcome_text(BatchImport::Outcome outcome) {
    switch (outcome) {
    case BatchImport::Outcome::Loaded:
        return QStringLiteral("OK");
    case BatchImport::Outcome::Cancelled:
        return QStringLiteral("Canceled");
    case BatchImport::Outcome::Skipped:
        return QStringLiteral("Skipped");
    case BatchImport::Outcome::Failed:
        break;
    }
    return QStringLiteral("Failed");
}

// Whether the reader of key takes path, by the import manager's rule (it accepts the file or can
// at least read it); the reader's reason for a refusal goes to message.
bool fits(std::string const& key, QString const& path, QString& message) {
    try {
        std::bitset<4> const result = import::AbstractFileReaderFactory::create(key)->verify(
            utilities::filesystem_to_url(path), message);
        return result.test(import::AbstractFileReader::VERIFY_ACCEPTED) ||
               result.test(import::AbstractFileReader::VERIFY_READABLE);
    } catch (std::exception const& e) {
        message = QString::fromStdString(e.what());
        return false;
    }
}

} // namespace

int BatchImport::Result::count(Outcome outcome) const {
    return static_cast<int>(
        std::count_if(files.begin(), files.end(),
                      [outcome](FileResult const& f) { return f.outcome == outcome; }));
}

BatchImport::BatchImport(bool answer_automatically, bool one_document)
    : m_answer(answer_automatically)
    , m_one_document(one_document) {}

QString BatchImport::plain_text(QString const& html) {
    QTextDocument document;
    document.setHtml(html);
    QString text = document.toPlainText();
    text.replace(QChar::Nbsp, QLatin1Char(' '));
    // Rules and breaks in a row leave runs of empty lines: one is enough to part the blocks.
    QStringList lines;
    for (QString const& line : text.split(QLatin1Char('\n'))) {
        QString const trimmed = line.trimmed();
        if (!trimmed.isEmpty() || (!lines.isEmpty() && !lines.last().isEmpty())) {
            lines << trimmed;
        }
    }
    return lines.join(QLatin1Char('\n')).trimmed();
}

std::map<QString, BatchImport::Outcome> BatchImport::outcomes_in(QString const& summary_html) {
    // One pass over the summary: looking every file up in the whole text would take time in
    // proportion to the number of files for each file. A file's mark follows its path (a
    // success) or its name (a cancel), which starts a line or follows a break.
    std::map<QString, Outcome> outcomes;
    auto const collect = [&](QString const& mark, Outcome outcome) {
        QString const line_break = QStringLiteral("<br />");
        for (int at = summary_html.indexOf(mark); at >= 0;
             at = summary_html.indexOf(mark, at + mark.size())) {
            int const newline = summary_html.lastIndexOf(QLatin1Char('\n'), at - 1);
            int const br = summary_html.lastIndexOf(line_break, at - 1);
            int const start = std::max(newline + 1, br >= 0 ? br + line_break.size() : 0);
            outcomes.emplace(summary_html.mid(start, at - start), outcome);
        }
    };
    collect(ok_mark, Outcome::Loaded);
    collect(cancelled_mark, Outcome::Cancelled);
    return outcomes;
}

BatchImport::Outcome BatchImport::outcome_of(std::map<QString, Outcome> const& outcomes,
                                             QString const& path) {
    auto const loaded = outcomes.find(QDir::toNativeSeparators(path));
    if (loaded != outcomes.end() && loaded->second == Outcome::Loaded) {
        return Outcome::Loaded;
    }
    auto const cancelled = outcomes.find(QFileInfo(path).fileName());
    if (cancelled != outcomes.end() && cancelled->second == Outcome::Cancelled) {
        return Outcome::Cancelled;
    }
    return Outcome::Failed;
}

BatchImport::Result BatchImport::run(QStringList const& files, std::string const& key,
                                     QSet<QString> const& skippable) {
    Result result;
    import::ImportManager const& manager = import::ImportManager::const_instance();
    // Importer keys in the order of their first file, each with its files.
    std::vector<WizardRun> groups;
    for (QString const& file : files) {
        FileResult entry;
        QFileInfo const info(file);
        entry.path = info.absoluteFilePath();
        if (!info.exists()) {
            entry.reason = QStringLiteral("The file does not exist.");
        } else if (!info.isFile()) {
            entry.reason = QStringLiteral("This is not a file.");
        } else if (key.empty()) {
            QString reasons;
            entry.key = manager.importer_for_file(entry.path, reasons);
            if (entry.key.empty()) {
                entry.reason = QStringLiteral("No importer accepts this file.");
                if (!reasons.isEmpty()) {
                    entry.reason += QLatin1Char('\n') + reasons;
                }
                if (skippable.contains(file)) {
                    entry.outcome = Outcome::Skipped;
                }
            }
        } else {
            QString message;
            if (fits(key, entry.path, message)) {
                entry.key = key;
            } else {
                // The import manager's words for a refused file.
                entry.reason =
                    QStringLiteral("Unable to import file(s) using the selected importer.");
                if (!message.isEmpty()) {
                    entry.reason += QStringLiteral("\n\n %1").arg(message);
                }
            }
        }
        if (!entry.key.empty()) {
            auto group = std::find_if(groups.begin(), groups.end(),
                                      [&entry](WizardRun const& g) { return g.key == entry.key; });
            if (group == groups.end()) {
                groups.push_back(WizardRun{entry.key, {}, QString()});
                group = groups.end() - 1;
            }
            group->files << entry.path;
        }
        result.files.push_back(entry);
    }

    housekeeping::DocumentManager& documents = housekeeping::DocumentManager::instance();
    // The documents that the wizards may load into: new ones, and blank ones they reuse.
    std::set<housekeeping::DocumentId> taken;
    for (housekeeping::DocumentId const& id : documents.current_documents()) {
        housekeeping::AbstractDocument const* const document = documents.document_from_id(id);
        if (document != nullptr && !document->is_blank()) {
            taken.insert(id);
        }
    }
    WizardWatcher watcher(m_answer);
    watcher.set_keep_journal(m_keep_journal);
    for (WizardRun& group : groups) {
        bool ran = false;
        QString failure = QStringLiteral("The import did not run.");
        housekeeping::DocumentId const target = m_one_document && !result.documents.empty()
                                                    ? result.documents.front()
                                                    : housekeeping::DocumentId::null();
        try {
            ran = import::ImportManager::instance().open_urls_using_key(group.files, group.key,
                                                                        target);
        } catch (std::exception const& e) {
            failure =
                QStringLiteral("The import stopped: %1").arg(QString::fromStdString(e.what()));
        }
        for (WizardWatcher::Run const& run : watcher.take_runs()) {
            group.summary_html += run.summary_html;
        }
        result.messages += watcher.take_messages();
        std::map<QString, Outcome> const outcomes =
            ran ? outcomes_in(group.summary_html) : std::map<QString, Outcome>();
        for (FileResult& entry : result.files) {
            if (entry.key != group.key) {
                continue;
            }
            if (ran) {
                entry.outcome = outcome_of(outcomes, entry.path);
            } else {
                entry.reason = failure;
            }
        }
        if (ran) {
            result.runs.push_back(group);
        }
        // A wizard that loaded something into a document of its own: the first one fixes the
        // document that the others insert into.
        if (target.isNull()) {
            housekeeping::AbstractDocument const* const current = documents.current_document();
            if (current != nullptr && current->size() > 0 && taken.count(current->id()) == 0) {
                result.documents.push_back(current->id());
                taken.insert(current->id());
            }
        }
    }
    return result;
}

void BatchImport::print(Result const& result, QTextStream& out) {
    for (WizardRun const& run : result.runs) {
        out << "Importer " << QString::fromStdString(run.key) << ", " << run.files.size()
            << (run.files.size() == 1 ? " file" : " files") << ":\n";
        out << plain_text(run.summary_html) << "\n\n";
    }
    bool skipped_heading = false;
    for (FileResult const& file : result.files) {
        if (file.outcome != Outcome::Skipped) {
            continue;
        }
        if (!skipped_heading) {
            out << "Skipped, as no importer takes them:\n";
            skipped_heading = true;
        }
        out << QDir::toNativeSeparators(file.path) << ": "
            << QString(file.reason).replace(QLatin1Char('\n'), QLatin1String("\n    ")) << "\n";
    }
    if (skipped_heading) {
        out << "\n";
    }
    for (FileResult const& file : result.files) {
        if (file.reason.isEmpty() || file.outcome == Outcome::Skipped) {
            continue;
        }
        out << QDir::toNativeSeparators(file.path) << ": " << outcome_text(file.outcome) << "\n"
            << file.reason << "\n\n";
    }
    for (QString const& message : result.messages) {
        out << "Message: " << message << "\n";
    }
    int const loaded = result.count(Outcome::Loaded);
    int const failed = result.count(Outcome::Failed);
    int const cancelled = result.count(Outcome::Cancelled);
    int const skipped = result.count(Outcome::Skipped);
    out << loaded << " of " << (result.files.size() - skipped) << " files loaded, " << failed
        << " failed";
    if (cancelled > 0) {
        out << ", " << cancelled << " cancelled";
    }
    if (skipped > 0) {
        out << ", " << skipped << " skipped";
    }
    out << "\n";
    out.flush();
}

} // namespace app
} // namespace quarro
