// The import manager's user flows end to end, through the File menu, drops on the main window and
// the host's messages. Registered as reader libraries' products would be: readers under seven
// keys, the wizards of two importers (one that cannot be made) and undoable inserts; nothing as a
// default, so a key nobody registered has no reader and no wizard.
#include "FlowKit.h"

#include "AbstractFileReaderFactory.h"
#include "AbstractInsertCommandImplementationFactory.h"
#include "ConcreteProductFactory.h"
#include "QImportWizardFactory.h"
#include "housekeeping/DocumentMessage.h"
#include "housekeeping/FilesInsertMessage.h"
#include "model/PointSet.h"

#include <QMessageBox>
#include <QUndoStack>

#include <sys/stat.h>

#include <stdexcept>

namespace quarro {
namespace test {
namespace {

using housekeeping::DocumentMessage;

struct ProjectSpec {
    static constexpr char const *key = "QUARRO", *filter = "Quarro projects (*.qrod)";
};
struct LinesSpec {
    static constexpr char const *key = "VBL", *filter = "VBL lines (*.vbl)";
};
struct DrawingSpec {
    static constexpr char const *key = "DXF", *filter = "DXF drawings (*.dxf)";
};
struct WellsSpec {
    static constexpr char const *key = "WELLS", *filter = "LAS wells (*.las)";
};
// Offered only by the image dialog: "Check" keeps it out of the Open and Insert dialogs.
struct RasterSpec {
    static constexpr char const *key = "DEMRaster", *filter = "Check raster images";
};
// An importer's own wizard: the plain loader and summary.
class RegisteredWizard : public import::QImportWizard {
public:
    explicit RegisteredWizard(std::string const& key)
        : QImportWizard(key, nullptr, Qt::WindowFlags()) {}
};
// A wizard whose construction fails, as an importer library's might.
class UnmakeableWizard : public RegisteredWizard {
public:
    explicit UnmakeableWizard(std::string const& key)
        : RegisteredWizard(key) {
        throw std::runtime_error("this wizard cannot be made");
    }
};
template <class Spec>
using Reader =
    import::ConcreteProductFactory<import::AbstractFileReaderFactory, ScriptedReader<Spec>>;
template <class Wizard>
using WizardFactory = import::ConcreteProductFactory<import::QImportWizardFactory, Wizard>;
Reader<NativeSpec> const s_native(NativeSpec::key);
Reader<ProjectSpec> const s_project(ProjectSpec::key);
Reader<LinesSpec> const s_lines(LinesSpec::key);
Reader<DrawingSpec> const s_drawing(DrawingSpec::key);
Reader<WellsSpec> const s_wells(WellsSpec::key);
Reader<TextSpec> const s_text(TextSpec::key);
Reader<RasterSpec> const s_raster(RasterSpec::key);
WizardFactory<RegisteredWizard> const s_wells_wizard(WellsSpec::key);
WizardFactory<UnmakeableWizard> const s_drawing_wizard(DrawingSpec::key);
import::ConcreteProductFactory<import::AbstractInsertCommandImplementationFactory,
                               RecordingInsertImplementation> const
    s_insert("InsertCommandImplementation");

QString const revert_question =
    QStringLiteral("Information|File is already open\n\nRevert and lose changes?");

class Flows : public FlowTest {
protected:
    // Opens the Recent Files submenu and clicks its entry at `position` (0 is the top one).
    static void click_recent(int position) {
        show_recent_menu();
        QAction* const entry = recent_menu()->actions().value(position);
        ASSERT_TRUE(entry != nullptr && entry->isVisible() && entry->isEnabled());
        entry->trigger();
    }
    static void send_files_insert(QStringList const& paths) {
        auto* const message = housekeeping::FilesInsertMessage::instance();
        message->files(utilities::filesystem_to_url(paths));
        housekeeping::Message::dispatch(message);
    }
    static boost::shared_ptr<housekeeping::DataSource> source(std::string const& key) {
        return boost::make_shared<housekeeping::DataSource>(
            utilities::filesystem_to_url(flow_path(QStringLiteral("file"))),
            housekeeping::AbstractDataInformationFactory::create(key));
    }
    // Open, Insert, Revert and Recent Files as one text, a "-" before each disabled one.
    static QString states() {
        QStringList words;
        auto add = [&words](bool enabled, char const* name) {
            words << (enabled ? QString() : QStringLiteral("-")) + QLatin1String(name);
        };
        add(file_action(QStringLiteral("Open"))->isEnabled(), "open");
        add(file_action(QStringLiteral("&Insert..."))->isEnabled(), "insert");
        add(file_action(QStringLiteral("Revert"))->isEnabled(), "revert");
        add(recent_menu()->isEnabled(), "recent");
        return words.join(' ');
    }
    static void send(DocumentMessage::DocChangeType type) {
        DocumentMessage* const message = DocumentMessage::instance();
        message->doc_change_type(type);
        message->id(current());
        housekeeping::Message::dispatch(message);
    }
};

// File > Open: the suffix of the first chosen file picks the importer for the whole list over
// the selected filter; refused files are reported; the next dialog starts where the user was.
TEST_F(Flows, OpenPicksTheImporterByTheFirstFilesSuffixAndKeepsTheDialogsPlace) {
    struct Row {
        QStringList names;
        QByteArray content;
        char const* filter;
        char const* key; // empty: the file is refused with `reason`
        char const* reason;
    };
    std::vector<Row> const rows = {
        {{"A.QRO", "b.txt"}, "1 2 3\n", TextSpec::filter, "QRO", ""},
        {{"x.qrod"}, "1 1 1\n", TextSpec::filter, "QUARRO", ""},
        {{"y.quarro"}, "1 1 1\n", TextSpec::filter, "QUARRO", ""},
        {{"x.vbl"}, "1 1 1\n", TextSpec::filter, "VBL", ""},
        {{"x.DXF"}, "1 1 1\n", TextSpec::filter, "DXF", ""},
        {{"x.las"}, "1 1 1\n", WellsSpec::filter, "WELLS", ""},
        {{"y.las"}, "1 1 1\n", TextSpec::filter, "TXT", ""},
        {{"z.qro"}, "1 1 1\n", WellsSpec::filter, "QRO", ""},
        {{"refused/bad.qro"}, "bad\n1 2 3\n", LinesSpec::filter, "", " bad header"},
        {{"refused/empty.vbl"}, "", LinesSpec::filter, "", " no data"}};
    QStringList messages;
    for (Row const& row : rows) {
        SCOPED_TRACE(row.names.first().toStdString());
        documents().destroy_all();
        readerJournal().clear();
        wizards.clear();
        QStringList paths, objects;
        for (QString const& name : row.names) {
            paths << flow_file(name, row.content);
            objects << QFileInfo(name).fileName() + ":1";
        }
        dialogs.chooseFiles(paths, QString::fromLatin1(row.filter));
        if (*row.key == 0) {
            dialogs.pressMessageBoxButton(QMessageBox::Ok);
            messages << unable(row.reason);
        } else {
            expect_wizard();
        }

        click(QStringLiteral("Open"));

        EXPECT_EQ(dialogs.messageBoxes(), messages);
        // The chosen file as chosen (not lower-cased) and the selected filter are kept.
        EXPECT_EQ(stored("last_open"), paths.first());
        EXPECT_EQ(stored("last_filter"), row.filter);
        if (*row.key == 0) {
            EXPECT_TRUE(wizards.empty());
            EXPECT_TRUE(readerJournal().calls.empty());
            EXPECT_EQ(documents().num_documents(), 0u);
            continue;
        }
        ASSERT_EQ(wizards.size(), 1u);
        EXPECT_EQ(wizards[0].key, row.key);
        EXPECT_EQ(wizards[0].urls, paths);
        EXPECT_FALSE(wizards[0].inserting);
        // Only WELLS has a wizard of its own; DXF's cannot be made.
        EXPECT_EQ(wizards[0].catch_all, row.key != std::string("WELLS"));
        // All files went into one new document, read by that importer.
        EXPECT_EQ(documents().num_documents(), 1u);
        EXPECT_EQ(object_names(current()), objects);
        ASSERT_EQ(readerJournal().calls.size(), std::size_t(paths.size()));
        for (ReaderJournal::Call const& call : readerJournal().calls) {
            EXPECT_EQ(call.key, row.key);
        }
    }

    // The next dialog opens in that folder with that filter; cancelling it changes nothing.
    expect_file_dialog_cancelled();
    click(QStringLiteral("Open"));
    ASSERT_EQ(file_dialogs.size(), 1u);
    EXPECT_EQ(file_dialogs[0].caption, QStringLiteral("Open: Select one or more files"));
    EXPECT_EQ(file_dialogs[0].directory, flow_path(QStringLiteral("refused")));
    EXPECT_EQ(file_dialogs[0].selected_filter, LinesSpec::filter);
    // The native importer first, then VBL, then the others by filter text; "Check" hides one.
    EXPECT_EQ(file_dialogs[0].filters,
              QStringList({NativeSpec::filter, LinesSpec::filter, DrawingSpec::filter,
                           WellsSpec::filter, ProjectSpec::filter, TextSpec::filter}));
    EXPECT_EQ(stored("last_open"), flow_path(QStringLiteral("refused/empty.vbl")));
}

TEST_F(Flows, ALockedCurrentDocumentStopsEveryWayInWithoutAWord) {
    QString const file = flow_file(QStringLiteral("locked.qro"), "1 1 1\n");
    add_recent(file, "QRO", false);
    // Insert needs a document. Any dialog would be reported as unexpected.
    click(QStringLiteral("&Insert..."));
    DocumentId const locked = documents().create_document();
    document(locked)->set_locked(true);

    click(QStringLiteral("Open"));
    click(QStringLiteral("&Insert..."));
    click_recent(0);
    EXPECT_FALSE(manager().open_urls_using_key({file}, "QRO", DocumentId::null()));
    drop_files({file});

    EXPECT_TRUE(readerJournal().calls.empty());

    // Unlocked, the same file opens.
    document(locked)->set_locked(false);
    expect_wizard();
    drop_files({file});
    EXPECT_EQ(object_names(current()), QStringList({"locked.qro:1"}));
}

// Files dropped on the main window: the open ones are not read again, the others open together.
TEST_F(Flows, OfThreeDroppedFilesTheOpenOneIsNotReadAgainAndTheOthersOpenTogether) {
    QString const first = flow_file(QStringLiteral("drop1.qro"), "1 0 0\n");
    QString const second = flow_file(QStringLiteral("drop2.qro"), "2 0 0\n");
    QString const third = flow_file(QStringLiteral("drop3.txt"), "3 0 0\n");
    DocumentId const opened = open_files({second}, NativeSpec::filter);
    DocumentId const other = documents().create_document();
    expect_wizard();

    drop_files({first, second, third});

    ASSERT_EQ(wizards.size(), 2u);
    EXPECT_EQ(wizards[1].key, "QRO");
    EXPECT_EQ(wizards[1].urls, QStringList({first, third}));
    EXPECT_FALSE(wizards[1].inserting);
    DocumentId const fresh = current();
    EXPECT_TRUE(fresh != opened && fresh != other);
    EXPECT_EQ(object_names(fresh), QStringList({"drop1.qro:1", "drop3.txt:1"}));
    EXPECT_EQ(object_names(opened), QStringList({"drop2.qro:1"}));

    // Dropped again, all open: no wizard. The new document has a history (the second file was
    // inserted into it), so the user is asked about reverting it.
    documents().current_document(other);
    dialogs.pressMessageBoxButton(QMessageBox::No);
    drop_files({second, first});
    EXPECT_EQ(dialogs.messageBoxes(), QStringList({revert_question}));
    EXPECT_EQ(wizards.size(), 2u);
    EXPECT_EQ(current(), fresh);
    EXPECT_EQ(documents().num_documents(), 3u);
}

TEST_F(Flows, EachDroppedFileOpensWithTheImporterThatFitsItOneWizardPerImporter) {
    // The native importer when it takes the file, else the first that lists the extension, else
    // the first in the manager's order.
    std::vector<std::pair<char const*, QByteArray>> const files = {
        {"a.las", "not native\n1 0 0\n"}, {"b.las", "2 0 0\n"},
        {"c.txt", "not native\n3 0 0\n"}, {"d.las", "not native\n4 0 0\n"},
        {"e.xyz", "not native\n5 0 0\n"}, {"f.txt", "bad\n6 0 0\n"}};
    QStringList dropped;
    for (auto const& [name, content] : files) {
        dropped << flow_file(QString::fromLatin1(name), content);
    }
    dialogs.pressMessageBoxButton(QMessageBox::Ok);
    for (int i = 0; i < 4; ++i) {
        expect_wizard();
    }

    drop_files(dropped);

    // The file nobody takes is named with every reader's reason; the others still open.
    EXPECT_EQ(dialogs.messageBoxes(),
              QStringList(unable(" " + dropped[5] +
                                 ":\n  QRO: bad header\n  VBL: bad header\n"
                                 "  DEMRaster: bad header\n  DXF: bad header\n  WELLS: bad "
                                 "header\n  QUARRO: bad header\n  TXT: bad header")));
    std::vector<std::pair<std::string, QStringList>> seen;
    for (WizardSeen const& wizard : wizards) {
        seen.emplace_back(wizard.key, wizard.urls);
    }
    decltype(seen) const expected = {{"WELLS", {dropped[0], dropped[3]}},
                                     {"QRO", {dropped[1]}},
                                     {"TXT", {dropped[2]}},
                                     {"VBL", {dropped[4]}}};
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(documents().num_documents(), 4u);
}

TEST_F(Flows, APipeOrAnEmptyFileGetsOneClearMessageAndChangesNothing) {
    DocumentId const kept =
        open_files({flow_file(QStringLiteral("kept.qro"), "1 1 1\n")}, NativeSpec::filter);
    QString const pipe = flow_path(QStringLiteral("pipe.qro"));
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    std::vector<std::pair<QString, char const*>> const rows = {
        {pipe, "This is not a regular file."},
        {flow_file(QStringLiteral("empty.qro"), ""), "The file is empty."}};
    QStringList expected;
    for (auto const& [path, reason] : rows) {
        dialogs.pressMessageBoxButton(QMessageBox::Ok);
        drop_files({path});
        expected << unable(" " + path + ": " + reason);
    }
    QFile::remove(pipe);
    EXPECT_EQ(dialogs.messageBoxes(), expected);
    EXPECT_EQ(wizards.size(), 1u);
    EXPECT_EQ(documents().current_documents(), std::vector<DocumentId>({kept}));
    EXPECT_EQ(object_names(kept), QStringList({"kept.qro:1"}));
}

// File > Insert: the selected filter alone picks the importer; each file read is one undo step,
// and a file that fails or is cancelled leaves none.
TEST_F(Flows, InsertReadsWithTheSelectedFiltersImporterAsOneUndoStepPerFile) {
    // What the second file holds, and the undo steps the insert leaves.
    std::vector<std::pair<QByteArray, int>> const rows = {
        {"7 7 7\n", 2}, {"fail broken data\n", 1}, {"cancel\n", 1}};
    for (auto const& [second, steps] : rows) {
        SCOPED_TRACE(second.toStdString());
        documents().destroy_all();
        wizards.clear();
        readerJournal().clear();
        DocumentId const target = documents().create_document();
        QStringList const files = {flow_file(QStringLiteral("insert/first.txt"), "1 1 1\n2 2 2\n"),
                                   flow_file(QStringLiteral("insert/second.txt"), second)};
        dialogs.chooseFiles(files, QString::fromLatin1(TextSpec::filter));
        expect_wizard();

        click(QStringLiteral("&Insert..."));

        ASSERT_EQ(wizards.size(), 1u);
        EXPECT_EQ(wizards[0].key, "TXT");
        EXPECT_TRUE(wizards[0].inserting && !wizards[0].on_section);
        EXPECT_EQ(documents().num_documents(), 1u);
        QStringList const objects = {"first.txt:1", "first.txt:2", "second.txt:1"};
        EXPECT_EQ(object_names(target), objects.mid(0, steps + 1));
        EXPECT_EQ(readerJournal().calls.at(0).key, "TXT");
        EXPECT_EQ(stored("last_open"), files.first());
        EXPECT_EQ(stored("last_filter"), TextSpec::filter);
        QUndoStack* const stack = document(target)->undo_stack();
        ASSERT_EQ(stack->count(), steps);
        EXPECT_EQ(stack->text(0), QStringLiteral("first.txt"));
        stack->setIndex(0);
        EXPECT_EQ(object_names(target), QStringList());
    }

    // A refused file: the reason right after the line feeds, nothing read.
    QString const refused = flow_file(QStringLiteral("insert/bad.txt"), "bad\n");
    dialogs.chooseFiles({refused}, QString::fromLatin1(TextSpec::filter));
    dialogs.pressMessageBoxButton(QMessageBox::Ok);
    click(QStringLiteral("&Insert..."));
    EXPECT_EQ(dialogs.messageBoxes(), QStringList({unable("bad header")}));
    EXPECT_EQ(wizards.size(), 1u);
    EXPECT_EQ(stored("last_open"), refused);
}

TEST_F(Flows, TheImageInsertPutsImagesOnASectionOfTheCurrentDocument) {
    DocumentId const target = documents().create_document();
    QString const image = flow_file(QStringLiteral("images/section.png"), "5 5 5\n");

    // Cancelled first.
    expect_file_dialog_cancelled();
    manager().insert_image_on_section();
    ASSERT_EQ(file_dialogs.size(), 1u);
    EXPECT_EQ(file_dialogs[0].caption, QStringLiteral("Insert: Select image"));
    QString const raster_filter = file_dialogs[0].filters.value(0);
    EXPECT_TRUE(raster_filter.startsWith("GIS Data - Raster Files (including images) ( *.adf"));

    dialogs.chooseFiles({image});
    expect_wizard();
    manager().insert_image_on_section();

    ASSERT_EQ(wizards.size(), 1u);
    EXPECT_EQ(wizards[0].key, "DEMRaster");
    EXPECT_TRUE(wizards[0].on_section && wizards[0].inserting);
    EXPECT_EQ(object_names(target), QStringList({"section.png:1"}));
    // The loader clears the flag when its load ends.
    EXPECT_FALSE(manager().insert_on_section());
    EXPECT_EQ(stored("last_open"), image);
    EXPECT_EQ(stored("last_filter"), raster_filter);
}

// The host's files-insert message inserts files not open yet, and leaves open and refused files
// alone without a word.
TEST_F(Flows, TheHostsFilesInsertMessageInsertsFilesNotYetOpen) {
    DocumentId const target = documents().create_document();
    QString const first = flow_file(QStringLiteral("message1.qro"), "1 0 0\n");
    QString const second = flow_file(QStringLiteral("message2.qro"), "2 0 0\n");
    QString const refused = flow_file(QStringLiteral("message-bad.qro"), "bad\n");
    expect_wizard();

    send_files_insert({first, second});

    ASSERT_EQ(wizards.size(), 1u);
    EXPECT_EQ(wizards[0].key, "QRO");
    EXPECT_EQ(wizards[0].urls, QStringList({first, second}));
    EXPECT_TRUE(wizards[0].inserting);
    EXPECT_EQ(object_names(target), QStringList({"message1.qro:1", "message2.qro:1"}));

    // A file open in another document brings that one forward; refused files get no message.
    DocumentId const opened = open_files({first}, NativeSpec::filter);
    documents().current_document(target);
    readerJournal().clear();
    send_files_insert({first});
    EXPECT_EQ(current(), opened);
    send_files_insert({refused});
    EXPECT_TRUE(readerJournal().calls.empty());
    EXPECT_EQ(wizards.size(), 2u);
}

// File > Recent Files: the submenu shows the most recent entry first, with its number.
TEST_F(Flows, TheRecentFilesSubmenuShowsTheListNewestFirst) {
    QString const amp = flow_path(QStringLiteral("recent & more/a&b.qro"));
    for (char const* name : {"a.qro", "b.qro"}) {
        add_recent(flow_path(QStringLiteral("recent/") + name), "QRO", false);
    }
    add_recent(amp, "QRO", false);
    show_recent_menu();

    QList<QAction*> const entries = recent_menu()->actions();
    ASSERT_EQ(entries.size(), 20);
    EXPECT_EQ(entries[0]->text(), QStringLiteral("&1  a&&b.qro"));
    // What the menu shows once the mnemonic is taken out.
    EXPECT_EQ(entries[0]->iconText(), QStringLiteral("1  a&b.qro"));
    EXPECT_EQ(entries[0]->statusTip(), QString(amp).replace('&', QStringLiteral("&&")));
    EXPECT_EQ(entries[1]->text(), QStringLiteral("&2  b.qro"));
    EXPECT_EQ(entries[2]->text(), QStringLiteral("&3  a.qro"));
    EXPECT_EQ(entries[2]->statusTip(), flow_path(QStringLiteral("recent/a.qro")));
    for (int i = 0; i < entries.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(entries[i]->isVisible(), i < 3);
        EXPECT_EQ(entries[i]->isEnabled(), i < 3);
    }

    // A full list of twenty: every entry shows, the last with the number 20.
    for (int i = 0; i < 20; ++i) {
        add_recent(flow_path(QStringLiteral("recent/full%1.qro").arg(i)), "QRO", false);
    }
    show_recent_menu();
    EXPECT_EQ(entries[0]->text(), QStringLiteral("&1  full19.qro"));
    EXPECT_EQ(entries[19]->text(), QStringLiteral("&20  full0.qro"));
    EXPECT_TRUE(entries[19]->isVisible());

    // An empty list hides and disables them all.
    housekeeping::RecentDocumentsQueue::instance().clear();
    show_recent_menu();
    for (QAction const* entry : entries) {
        EXPECT_FALSE(entry->isVisible() || entry->isEnabled());
    }
}

// An entry opens by path with the importer that fits, or, when its information is complete, with
// its own importer's wizard; whatever reopened it, the next dialog offers the native format. A
// gone file is reported either way.
TEST_F(Flows, ARecentEntryReopensWithTheImporterThatFitsAndAnOpenOneOnlyComesForward) {
    struct Row {
        char const* name;
        char const* content; // null: the file is gone
        char const* stored_key;
        bool complete;
        char const* key;
        char const* object;
    };
    Row const rows[] = {
        {"recent.txt", "1 2 3\n", "TXT", false, "QRO", "recent.txt:1"},
        {"recent.las", "not native\n1 2 3\n", "TXT", false, "WELLS", "recent.las:2"},
        {"gone/by path.qro", nullptr, "QRO", false, "", ""},
        {"gone/stored.qro", nullptr, "QRO", true, "", ""},
        {"stored.las", "4 5 6\n", "WELLS", true, "WELLS", "stored.las:1"}};
    QStringList messages;
    for (Row const& row : rows) {
        SCOPED_TRACE(row.name);
        wizards.clear();
        readerJournal().clear();
        QString const name = QString::fromLatin1(row.name);
        QString const file = row.content ? flow_file(name, row.content) : flow_path(name);
        add_recent(file, row.stored_key, row.complete);
        if (row.content != nullptr) {
            expect_wizard();
        } else {
            dialogs.pressMessageBoxButton(QMessageBox::Ok);
            messages << (row.complete ? warning("This file cannot be located:\n'" + file + "'")
                                      : unable(" " + file + ": The file does not exist."));
        }

        click_recent(0);

        EXPECT_EQ(dialogs.messageBoxes(), messages);
        EXPECT_EQ(stored("last_open"), file);
        EXPECT_EQ(stored("last_filter"), NativeSpec::filter);
        if (row.content == nullptr) {
            EXPECT_TRUE(wizards.empty() && readerJournal().calls.empty());
            continue;
        }
        ASSERT_EQ(wizards.size(), 1u);
        EXPECT_EQ(wizards[0].key, row.key);
        EXPECT_EQ(wizards[0].catch_all, row.key != std::string("WELLS"));
        EXPECT_EQ(wizards[0].urls, QStringList({file}));
        EXPECT_EQ(readerJournal().calls.at(0).key, row.key);
        EXPECT_EQ(object_names(current()), QStringList({row.object}));
    }
    EXPECT_TRUE(housekeeping::ErrorProtocol::instance().lines().contains(
        "Cannot locate file '" + flow_path(QStringLiteral("gone/stored.qro")) + "'"));

    // Open already: the document comes forward, no wizard runs and nothing is stored.
    DocumentId const opened = current();
    QSettings().setValue(QStringLiteral("file_paths/last_open"), QStringLiteral("elsewhere"));
    documents().create_document();
    click_recent(0);
    EXPECT_EQ(wizards.size(), 1u);
    EXPECT_EQ(current(), opened);
    EXPECT_EQ(stored("last_open"), QStringLiteral("elsewhere"));
}

// File > Revert reads a native document's file again once the user lets the changes go.
TEST_F(Flows, RevertReadsTheNativeFileAgainOnceTheUserLetsTheChangesGo) {
    QString const file = flow_file(QStringLiteral("revert.qro"), "1 1 1\n");
    DocumentId const opened = open_files({file}, NativeSpec::filter);
    auto point = boost::make_shared<model::PointSet>();
    point->setName(QStringLiteral("user's point"));
    document(opened)->add_object(point);
    document(opened)->set_modified(true);
    documents().create_document();
    documents().current_document(opened);

    // Asked whether to discard the changes, the user keeps them: nothing is read.
    dialogs.pressMessageBoxButton(QMessageBox::No);
    click(QStringLiteral("Revert"));
    EXPECT_TRUE(dialogs.messageBoxes().value(0).startsWith(QStringLiteral("Close Document|")));
    EXPECT_EQ(object_names(opened), QStringList({"revert.qro:1", "user's point"}));

    dialogs.pressMessageBoxButton(QMessageBox::Yes);
    expect_wizard();
    click(QStringLiteral("Revert"));
    EXPECT_FALSE(documents().document_exists(opened));
    ASSERT_EQ(wizards.size(), 2u);
    EXPECT_EQ(wizards[1].key, "QRO");
    EXPECT_EQ(wizards[1].urls, QStringList({file}));
    EXPECT_EQ(object_names(current()), QStringList({"revert.qro:1"}));
}

// A changed document goes back to its file, read by the importer that read it, only once the
// file can still be read; else it stays as the user left it, and the user learns why.
TEST_F(Flows, ARevertReadsTheFileAgainOrKeepsTheDocumentAndSaysWhy) {
    struct Row {
        char const* now;    // what is there instead: nothing, a "folder" or another file
        char const* reason; // null: the file is read again
        bool by_menu;       // File > Revert on a native document, else a drop of an imported one
    };
    Row const rows[] = {{"", "The file does not exist.", false},
                        {"", "The file does not exist.", true},
                        {"folder", "This is a folder, not a file.", false},
                        {"bad\n", "bad header", false},
                        {"bad\n", "bad header", true},
                        {"not native\n1 0 0\n2 0 0\n", nullptr, false}};
    int n = 0;
    for (Row const& row : rows) {
        SCOPED_TRACE(++n);
        QString const file =
            flow_file(QStringLiteral("kept%1.%2").arg(n).arg(row.by_menu ? "qro" : "las"),
                      row.by_menu ? "1 0 0\n" : "not native\n1 0 0\n");
        DocumentId const id =
            open_files({file}, row.by_menu ? NativeSpec::filter : WellsSpec::filter);
        document(id)->undo_stack()->push(new QUndoCommand(QStringLiteral("user's edit")));
        QStringList const before = object_names(id);
        QFile::remove(file);
        if (row.now == std::string("folder")) {
            QDir().mkpath(file);
        } else if (*row.now != 0) {
            flow_file(QFileInfo(file).fileName(), row.now);
        }
        QStringList expected = dialogs.messageBoxes();
        if (!row.by_menu) {
            dialogs.pressMessageBoxButton(QMessageBox::Yes);
            expected << revert_question;
        }
        if (row.reason == nullptr) {
            expect_wizard();
        } else {
            dialogs.pressMessageBoxButton(QMessageBox::Ok);
            expected << warning("'" + file +
                                "' cannot be read again; the document stays as it is.\n\n" +
                                row.reason);
        }

        if (row.by_menu) {
            click(QStringLiteral("Revert"));
        } else {
            drop_files({file});
        }

        EXPECT_EQ(dialogs.messageBoxes(), expected);
        if (row.reason == nullptr) {
            EXPECT_FALSE(documents().document_exists(id));
            EXPECT_EQ(wizards.back().key, "WELLS");
            EXPECT_EQ(wizards.back().urls, QStringList({file}));
            QString const name = QFileInfo(file).fileName();
            EXPECT_EQ(object_names(current()), QStringList({name + ":2", name + ":3"}));
            continue;
        }
        ASSERT_TRUE(documents().document_exists(id));
        EXPECT_EQ(object_names(id), before);
        EXPECT_EQ(document(id)->undo_stack()->count(), 1);
    }
    EXPECT_EQ(wizards.size(), std::size(rows) + 1);
}

// Open, Insert, Revert and Recent Files follow the host's document messages by type.
TEST_F(Flows, TheDocumentActionsFollowEachTypeOfDocumentMessage) {
    send(DocumentMessage::Created);
    EXPECT_EQ(states(), QStringLiteral("-open -insert -revert -recent"));

    // Created, with a document: everything, Revert only for native documents of either key.
    DocumentId const first = documents().create_document();
    for (std::string const key : {"TXT", "QUARRO", "QRO"}) {
        document(first)->datasource(source(key));
        send(DocumentMessage::Created);
        EXPECT_EQ(states(), key == "TXT" ? QStringLiteral("open insert -revert recent")
                                         : QStringLiteral("open insert revert recent"));
    }

    // CurrentChanged sets Insert and Revert only.
    manager().enable_document_actions(false);
    send(DocumentMessage::CurrentChanged);
    EXPECT_EQ(states(), QStringLiteral("-open insert revert -recent"));
    document(first)->datasource(source("TXT"));
    send(DocumentMessage::CurrentChanged);
    EXPECT_EQ(states(), QStringLiteral("-open insert -revert -recent"));

    // AboutToBeDestroyed leaves everything while another document stays, and disables Insert and
    // Revert for the last one.
    document(first)->datasource(source("QRO"));
    manager().enable_document_actions(true);
    DocumentId const second = documents().create_document();
    documents().current_document(first);
    send(DocumentMessage::AboutToBeDestroyed);
    EXPECT_EQ(states(), QStringLiteral("open insert revert recent"));
    documents().destroy_document(second, true, true, false, DocumentId::null());
    send(DocumentMessage::AboutToBeDestroyed);
    EXPECT_EQ(states(), QStringLiteral("open -insert -revert recent"));

    // LastDocumentClosed disables all four; the types the manager does not handle change nothing.
    send(DocumentMessage::LastDocumentClosed);
    send(DocumentMessage::ContentChanged);
    send(DocumentMessage::ModifiedChanged);
    EXPECT_EQ(states(), QStringLiteral("-open -insert -revert -recent"));

    // As the host sends them: closing the last document, then starting a new, empty one.
    documents().destroy_all();
    DocumentId const only = documents().create_document();
    document(only)->datasource(source("QRO"));
    manager().enable_document_actions(true);
    EXPECT_EQ(states(), QStringLiteral("open insert revert recent"));
    ASSERT_TRUE(documents().destroy_document(only, true, false, false, DocumentId::null()));
    EXPECT_EQ(states(), QStringLiteral("-open -insert -revert -recent"));
    documents().create_document();
    EXPECT_EQ(states(), QStringLiteral("open insert -revert recent"));
}

} // namespace
} // namespace test
} // namespace quarro
