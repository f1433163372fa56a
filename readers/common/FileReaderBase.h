#ifndef QUARRO_READERS_COMMON_FILEREADERBASE_H
#define QUARRO_READERS_COMMON_FILEREADERBASE_H

#include "AbstractFileReader.h"
#include "TextDecoder.h"
#include "housekeeping/Document.h"
#include "importwidgets/CancelHook.h"

#include <QString>
#include <QStringList>

#include <bitset>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quarro {
namespace readers {

// What one file of an import gave: its objects and summary lines, or why it failed, or that the
// user cancelled.
struct FileResult {
    QString failure; // empty for a success
    bool cancelled = false;
    QStringList comments;
    // Shown before the comments and marked: the file may lack data it should hold (a download
    // cut short, say).
    QStringList warnings;
    std::vector<housekeeping::Document::ObjectPtr> objects;
    // A journal the file carries (native documents): it replaces the journal of a document opened
    // from the file; an insert keeps the target's own.
    std::optional<std::string> journal;

    static FileResult failed(QString const& reason);
    static FileResult cancel();
};

// What a reader reads, as the import manager and the file dialogs are told: the data type, the
// title of the file filter and the extensions offered (each spelling listed; see inBothCases).
struct FileKind {
    std::string dataType;
    std::string title;
    std::vector<std::string> extensions;
};

// The import every reader of files runs: each file in turn with its share of the progress bar and
// the cancel checks, failures kept per file (one bad file does not stop the others), and the
// objects added to the document only once the whole import is known not to be cancelled. The
// summary names each file once, with its outcome and then its lines. A reader implements parse()
// on the bytes of one file (or readFile() where a library opens the file itself).
class FileReaderBase : public import::AbstractFileReader {
public:
    std::string data_type() override;
    // "title (*.ext ...)" over the kind's extensions.
    std::string file_filter() override;
    std::vector<std::string> supported_extentions() const override;
    ImportState import_data(boost::shared_ptr<housekeeping::DataSource> source,
                            housekeeping::DocumentId const& document, bool importing,
                            brkBase::AbstractProgress* progress, bool inserting) override;

protected:
    explicit FileReaderBase(FileKind kind);

    // True for text formats: parse() gets the text as TextDecoder::prepare() leaves it, and the
    // summary says what the file was written in when that is not plain UTF-8.
    virtual bool readsText() const { return false; }
    // One file: by default its bytes (or text) given to parse().
    virtual FileResult readFile(QString const& path, QString const& name, CancelHook const& hook);
    virtual FileResult parse(std::string_view bytes, QString const& path, QString const& name,
                             CancelHook const& hook);
    // Each extension in lower case, then each in upper case: what the file dialogs and the
    // manager's extension index are given.
    static std::vector<std::string> inBothCases(std::vector<char const*> const& extensions);
    // "title (*.a *.b ...)", a file dialog's filter over the extensions.
    static std::string filterOf(std::string const& title,
                                std::vector<std::string> const& extensions);
    // "name: text read as UTF-16 LE", or nothing for plain UTF-8.
    static QString encodingNote(QString const& name, TextDecoder::Encoding encoding);
    // A parser's progress callback: `share` of the file read (0 to 1) goes to the file's part of
    // the bar; the answer is whether to go on.
    static std::function<bool(double share)> shareReporter(CancelHook const& hook);
    // For parsers with an Outcome of Cancelled, Failed or read and a failure() text: true with
    // `result` set when the parse did not read the file.
    template <class Parser>
    static bool stopped(Parser const& parser, typename Parser::Outcome outcome,
                        FileResult& result) {
        if (outcome == Parser::Outcome::Cancelled) {
            result = FileResult::cancel();
            return true;
        }
        if (outcome == Parser::Outcome::Failed) {
            result = FileResult::failed(parser.failure());
            return true;
        }
        return false;
    }
    // What the summary says when there is no document to read into.
    virtual QString noDocumentReason() const;

    // verify() for a reader that recognises a file by its start: readable files whose first KB
    // (as text, for text readers) passes `looksLike` are accepted; `message` says why not.
    using HeadTest = std::function<bool(std::string_view head, QString& reason)>;
    std::bitset<4> verifyHead(std::string const& url, QString& message, HeadTest const& looksLike);
    // The first step of a verify() that looks further than the head: the import library's bits,
    // with `path` and `name` of the file; when it cannot be opened, `message` says so by name.
    std::bitset<4> verifyOpens(std::string const& url, QString& message, QString& path,
                               QString& name);

private:
    Q_DISABLE_COPY(FileReaderBase)

    FileKind m_kind;
};

} // namespace readers
} // namespace quarro

#endif // QUARRO_READERS_COMMON_FILEREADERBASE_H
