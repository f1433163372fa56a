// One run of the application from start to shut-down. Its first file dialogs start where the
// earlier run's left off. The host deletes its main window, and with it the Open, Insert and
// Revert actions, before the import manager: later document messages must leave the freed actions
// alone, and a new main window gets actions of its own.
#include "FlowKit.h"

#include "AbstractFileReaderFactory.h"
#include "ConcreteProductFactory.h"
#include "housekeeping/DocumentMessage.h"

namespace quarro::test {
namespace {

template <class Spec>
using Reader =
    import::ConcreteProductFactory<import::AbstractFileReaderFactory, ScriptedReader<Spec>>;
Reader<NativeSpec> const s_native(NativeSpec::key);
Reader<TextSpec> const s_text(TextSpec::key);

class HostRun : public FlowTest {
protected:
    // What the earlier run's last Open left in the settings, there before this run's manager.
    void SetUp() override {
        QSettings settings;
        settings.setValue(QStringLiteral("file_paths/last_open"), last_file);
        settings.setValue(QStringLiteral("file_paths/last_filter"), TextSpec::filter);
        FlowTest::SetUp();
    }
    QString const last_file = flow_file(QStringLiteral("earlier run/last.txt"), "1 2 3\n");
};

TEST_F(HostRun, StartsWhereTheEarlierRunLeftOffAndOutlivesItsMainWindow) {
    expect_file_dialog_cancelled();
    expect_file_dialog_cancelled();

    click(QStringLiteral("Open"));
    documents().create_document();
    click(QStringLiteral("&Insert..."));

    ASSERT_EQ(file_dialogs.size(), 2u);
    for (FileDialogSeen const& dialog : file_dialogs) {
        EXPECT_EQ(dialog.directory, QFileInfo(last_file).absolutePath());
        // The filter starts as the native one in every run; the folder is what carries over.
        EXPECT_EQ(dialog.selected_filter, NativeSpec::filter);
    }
    EXPECT_EQ(file_dialogs[0].caption, QStringLiteral("Open: Select one or more files"));
    EXPECT_EQ(file_dialogs[1].caption, QStringLiteral("Insert: Select one or more files"));

    QPointer<QAction> const old_open = file_action(QStringLiteral("Open"));
    QPointer<QMenu> const recent = recent_menu();
    ASSERT_FALSE(old_open.isNull() || recent.isNull());
    host_window().reset();
    ASSERT_TRUE(old_open.isNull());

    // Every type of document message, and the manager's own switch, with the actions gone.
    documents().destroy_all();
    DocumentId const id = documents().create_document();
    ASSERT_TRUE(documents().destroy_document(id, true, false, false, DocumentId::null()));
    manager().enable_document_actions(true);
    EXPECT_FALSE(recent->isEnabled());

    // A new main window: new actions, which follow the document messages again, and the Recent
    // Files submenu that the manager kept.
    HostMainWindow& second = start_host();
    QAction* const open = file_action(QStringLiteral("Open"));
    QAction* const insert = file_action(QStringLiteral("&Insert..."));
    ASSERT_TRUE(open && insert && file_action(QStringLiteral("Revert")));
    EXPECT_EQ(second.open_action(), open);
    EXPECT_EQ(second.insert_action(), insert);
    EXPECT_EQ(second.revert_action(), file_action(QStringLiteral("Revert")));
    EXPECT_EQ(recent_menu(), recent.data());
    EXPECT_EQ(recent->actions().size(), 20);

    documents().create_document();
    EXPECT_TRUE(open->isEnabled() && insert->isEnabled() && recent->isEnabled());
    documents().destroy_all();
    housekeeping::DocumentMessage* const closed = housekeeping::DocumentMessage::instance();
    closed->doc_change_type(housekeeping::DocumentMessage::LastDocumentClosed);
    housekeeping::Message::dispatch(closed);
    EXPECT_FALSE(open->isEnabled() || insert->isEnabled() || recent->isEnabled());
}

} // namespace
} // namespace quarro::test
