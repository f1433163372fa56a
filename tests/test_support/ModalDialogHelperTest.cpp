// The shared helper that answers modal dialogs in GUI tests: a message box, a real file dialog,
// a dialog that opens another one while its handler waits, and a dialog nobody expected.
#include "ModalDialogHelper.h"
#include "TestApplication.h"

#include <QDialog>
#include <QFile>
#include <QFileDialog>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

using quarro::test::ModalDialogHelper;

TEST(ModalDialogHelper, PressesTheAskedButtonOfAMessageBox) {
    ModalDialogHelper helper;
    helper.pressMessageBoxButton(QMessageBox::No);
    int const answer = QMessageBox::question(nullptr, "Information", "Revert and lose changes?",
                                             QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(QMessageBox::No, answer);
    EXPECT_TRUE(helper.allAnswered());
    ASSERT_EQ(1, helper.messageBoxes().size());
    EXPECT_EQ("Information|Revert and lose changes?", helper.messageBoxes().first());
}

TEST(ModalDialogHelper, ChoosesFilesInARealFileDialog) {
    QString const folder = quarro::test::scratchDirectory();
    for (QString const name : {"a.las", "b.las"}) {
        QFile file(folder + "/" + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    ModalDialogHelper helper;
    helper.chooseFiles({folder + "/a.las", folder + "/b.las"}, "LAS (*.las)");
    QString selected;
    QStringList const files = QFileDialog::getOpenFileNames(
        nullptr, "Open: Select one or more files", folder, "All (*);;LAS (*.las)", &selected,
        QFileDialog::DontUseNativeDialog);
    EXPECT_EQ(QStringList({folder + "/a.las", folder + "/b.las"}), files);
    EXPECT_EQ("LAS (*.las)", selected);

    helper.chooseFiles({});
    EXPECT_TRUE(QFileDialog::getOpenFileNames(nullptr, "Open", folder).isEmpty()) << "cancelled";
    EXPECT_TRUE(helper.allAnswered());
}

TEST(ModalDialogHelper, AnswersADialogOpenedWhileAHandlerWaits) {
    QDialog outer;
    outer.setWindowTitle("outer");
    int inner_answer = -1;
    // The outer dialog asks a question of its own a moment after it opens.
    QTimer::singleShot(0, &outer, [&] {
        QTimer::singleShot(50, &outer, [&] {
            inner_answer = QMessageBox::question(&outer, "inner", "Go on?",
                                                 QMessageBox::Yes | QMessageBox::No);
        });
    });
    ModalDialogHelper helper;
    helper.expect([&](QWidget* dialog) {
        // Wait for the inner question to be answered before closing the outer dialog.
        EXPECT_TRUE(ModalDialogHelper::waitFor([&] { return inner_answer != -1; }));
        static_cast<QDialog*>(dialog)->accept();
    });
    helper.pressMessageBoxButton(QMessageBox::Yes);
    EXPECT_EQ(QDialog::Accepted, outer.exec());
    EXPECT_EQ(QMessageBox::Yes, inner_answer);
    EXPECT_EQ(2, helper.answered());
}

TEST(ModalDialogHelper, RejectsAnUnexpectedDialogInsteadOfHanging) {
    ModalDialogHelper helper(100);
    QDialog surprise;
    surprise.setWindowTitle("surprise");
    EXPECT_EQ(QDialog::Rejected, surprise.exec());
    ASSERT_EQ(1, helper.unexpected().size());
    EXPECT_EQ("QDialog|surprise", helper.unexpected().first());
}

} // namespace
