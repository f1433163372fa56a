// A new run of the application: its first file dialog starts where the dialogs of the earlier run
// left off.
#include "FlowHost.h"
#include "FlowReaders.h"
#include "ImportManager.h"

#include "AbstractFileReaderFactory.h"
#include "ConcreteProductFactory.h"

#include <QAction>
#include <QFileInfo>
#include <QSettings>

namespace quarro {
namespace test {
namespace {

import::ConcreteProductFactory<import::AbstractFileReaderFactory, ScriptedReader<NativeSpec>> const
    s_native(NativeSpec::key);
import::ConcreteProductFactory<import::AbstractFileReaderFactory, ScriptedReader<TextSpec>> const
    s_text(TextSpec::key);

// What the earlier run's last Open left in the settings, there before this run's manager exists.
class EarlierRun : public ::testing::Environment {
public:
    void SetUp() override {
        QSettings settings;
        settings.setValue(QStringLiteral("file_paths/last_open"), last_file());
        settings.setValue(QStringLiteral("file_paths/last_filter"),
                          QString::fromLatin1(TextSpec::filter));
    }
    static QString last_file() {
        static QString const path = flow_file(QStringLiteral("earlier run/last.txt"), "1 2 3\n");
        return path;
    }
};
::testing::Environment* const earlier_run = ::testing::AddGlobalTestEnvironment(new EarlierRun);

class NextRun : public FlowTest {};

TEST_F(NextRun, TheFirstDialogStartsInTheFolderOfTheLastFileChosen) {
    EXPECT_EQ(manager().filePath(), EarlierRun::last_file());
    expect_file_dialog_cancelled();
    expect_file_dialog_cancelled();

    file_action(QStringLiteral("Open"))->trigger();
    documents().create_document();
    file_action(QStringLiteral("&Insert..."))->trigger();

    ASSERT_EQ(file_dialogs.size(), 2u);
    for (FileDialogSeen const& dialog : file_dialogs) {
        EXPECT_EQ(dialog.directory, QFileInfo(EarlierRun::last_file()).absolutePath());
        // The filter starts as the native one in every run; the folder is what carries over.
        EXPECT_EQ(dialog.selected_filter, NativeSpec::filter);
    }
    EXPECT_EQ(file_dialogs[0].caption, QStringLiteral("Open: Select one or more files"));
    EXPECT_EQ(file_dialogs[1].caption, QStringLiteral("Insert: Select one or more files"));
}

} // namespace
} // namespace test
} // namespace quarro
