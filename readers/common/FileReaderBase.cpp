#include "FileReaderBase.h"

#include "FileBytes.h"
#include "FileShareCancelHook.h"
#include "ProgressCancelHook.h"
#include "TextDecoder.h"
#include "housekeeping/DataSource.h"
#include "housekeeping/DocumentManager.h"
#include "utilities/UrlUtilities.h"

#include <QFileInfo>

#include <cctype>
#include <exception>
#include <new>
#include <utility>

namespace quarro {
namespace readers {

namespace {

struct Outcome {
    QString name;
    FileResult result;
};

} // namespace

FileReaderBase::FileReaderBase(FileKind kind)
    : m_kind(std::move(kind)) {}

std::string FileReaderBase::data_type() {
    return m_kind.dataType;
}

std::string FileReaderBase::file_filter() {
    return filterOf(m_kind.title, m_kind.extensions);
}

std::vector<std::string> FileReaderBase::supported_extentions() const {
    return m_kind.extensions;
}

FileResult FileResult::failed(QString const& reason) {
    FileResult result;
    result.failure = reason;
    return result;
}

FileResult FileResult::cancel() {
    FileResult result;
    result.cancelled = true;
    return result;
}

FileResult FileReaderBase::readFile(QString const& path, QString const& name,
                                    CancelHook const& hook) {
    FileBytes file(path);
    QString error;
    bool const text = readsText();
    if (!(text ? file.openText(error) : file.open(error))) {
        return FileResult::failed(error);
    }
    FileResult result = parse(text ? file.text() : file.bytes(), path, name, hook);
    if (text && result.failure.isEmpty() && !result.cancelled &&
        file.encoding() != TextDecoder::Utf8) {
        result.comments << encodingNote(name, file.encoding());
    }
    return result;
}

std::function<bool(double)> FileReaderBase::shareReporter(CancelHook const& hook) {
    return [&hook](double share) {
        hook.progress(100.0 * share);
        return !hook.isCancelled();
    };
}

std::vector<std::string> FileReaderBase::inBothCases(std::vector<char const*> const& extensions) {
    std::vector<std::string> both(extensions.begin(), extensions.end());
    for (char const* extension : extensions) {
        std::string upper(extension);
        for (char& c : upper) {
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        }
        both.push_back(std::move(upper));
    }
    return both;
}

std::string FileReaderBase::filterOf(std::string const& title,
                                     std::vector<std::string> const& extensions) {
    std::string patterns;
    for (std::string const& extension : extensions) {
        patterns += (patterns.empty() ? "*." : " *.") + extension;
    }
    return title + " (" + patterns + ")";
}

QString FileReaderBase::encodingNote(QString const& name, TextDecoder::Encoding encoding) {
    return encoding == TextDecoder::Utf8
               ? QString()
               : QStringLiteral("%1: text read as %2").arg(name, TextDecoder::name(encoding));
}

FileResult FileReaderBase::parse(std::string_view, QString const&, QString const&,
                                 CancelHook const&) {
    return FileResult::failed(QStringLiteral("this reader cannot read files"));
}

QString FileReaderBase::noDocumentReason() const {
    return QStringLiteral("the document to read into does not exist");
}

FileReaderBase::ImportState
FileReaderBase::import_data(boost::shared_ptr<housekeeping::DataSource> source,
                            housekeeping::DocumentId const& document, bool /*importing*/,
                            brkBase::AbstractProgress* progress, bool inserting) {
    utilities::UrlList const urls = source ? source->urls() : utilities::UrlList();
    auto* target = dynamic_cast<housekeeping::Document*>(
        housekeeping::DocumentManager::instance().document_from_id(document));
    if (target == nullptr || urls.empty()) {
        QString const reason =
            target == nullptr ? noDocumentReason() : QStringLiteral("no file given");
        if (urls.empty()) {
            register_failure(QString(), reason);
        }
        for (std::string const& url : urls) {
            register_failure(QString::fromStdString(utilities::file_from_url(url)).toHtmlEscaped(),
                             reason);
        }
        return IMPORT_FAILED;
    }

    import::ProgressCancelHook progressHook(progress);
    std::vector<Outcome> outcomes;
    int const count = static_cast<int>(urls.size());
    for (int i = 0; i < count; ++i) {
        QString const path = utilities::url_to_filesystem(urls[static_cast<std::size_t>(i)]);
        Outcome outcome{QFileInfo(path).fileName(), FileResult()};
        import::FileShareCancelHook const share(*progressHook.hook(), i, count);
        try {
            outcome.result = readFile(path, outcome.name, share.hook());
        } catch (std::bad_alloc const&) {
            outcome.result =
                FileResult::failed(QStringLiteral("there is not enough memory to read the file"));
        } catch (std::exception const& e) {
            // An object the model refuses: the file fails, the import goes on.
            outcome.result = FileResult::failed(QStringLiteral("the file could not be read: %1")
                                                    .arg(QString::fromLocal8Bit(e.what())));
        }
        if (outcome.result.cancelled || share.hook().isCancelled()) {
            register_comment(QStringLiteral("Cancelled: nothing was imported."));
            return IMPORT_CANCELLED;
        }
        share.hook().progress(100.0);
        outcomes.push_back(std::move(outcome));
    }

    bool failed = false;
    bool added = false;
    std::optional<std::string> journal;
    for (Outcome& outcome : outcomes) {
        QString const name = outcome.name.toHtmlEscaped();
        if (!outcome.result.failure.isEmpty()) {
            register_failure(name, outcome.result.failure.toHtmlEscaped());
            failed = true;
            continue;
        }
        register_success(name);
        for (QString const& warning : outcome.result.warnings) {
            register_comment(QStringLiteral("<b><font color='#c05000'>Warning:</font></b> %1")
                                 .arg(warning.toHtmlEscaped()));
        }
        for (QString const& comment : outcome.result.comments) {
            register_comment(comment.toHtmlEscaped());
        }
        if (outcome.result.journal) {
            journal = journal.value_or(std::string()) + *outcome.result.journal;
        }
        for (housekeeping::Document::ObjectPtr& object : outcome.result.objects) {
            target->add_object(std::move(object));
            added = true;
        }
    }
    if (!inserting && journal) {
        target->journal(*journal, true);
    }
    if (inserting && added) {
        target->set_modified(true);
    }
    return failed ? IMPORT_FAILED : IMPORT_OK;
}

std::bitset<4> FileReaderBase::verifyHead(std::string const& url, QString& message,
                                          HeadTest const& looksLike) {
    std::bitset<4> result = AbstractFileReader::verify(url, message);
    QString const path = utilities::url_to_filesystem(url);
    if (!result.test(VERIFY_READABLE) || !QFileInfo(path).isReadable()) {
        result.reset();
        message = QStringLiteral("the file cannot be read");
        return result;
    }
    QByteArray const head = FileBytes::head(path);
    std::string_view text(head.constData(), static_cast<std::size_t>(head.size()));
    std::string converted;
    if (readsText()) {
        TextDecoder::Encoding encoding;
        if (!TextDecoder::prepare(text, converted, text, encoding, message, true)) {
            result.reset(VERIFY_READABLE);
            return result;
        }
    }
    if (looksLike(text, message)) {
        result.set(VERIFY_ACCEPTED);
    } else {
        result.reset(VERIFY_READABLE);
    }
    return result;
}

std::bitset<4> FileReaderBase::verifyOpens(std::string const& url, QString& message, QString& path,
                                           QString& name) {
    std::bitset<4> const bits = AbstractFileReader::verify(url, message);
    path = utilities::url_to_filesystem(url);
    name = QFileInfo(path).fileName();
    if (!bits.test(VERIFY_READABLE)) {
        message = QStringLiteral("%1: the file cannot be opened").arg(name);
    }
    return bits;
}

} // namespace readers
} // namespace quarro
