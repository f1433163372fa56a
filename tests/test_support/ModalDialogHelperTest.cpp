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

TEST(ModalDialogHelper, PressesTheAskedButtonOfAMessageBoxAndChoosesFilesInARealFileDialog) {
    ModalDialogHelper helper;
    helper.pressMessageBoxButton(QMessageBox::No);
    EXPECT_EQ(QMessageBox::No,
              QMessageBox::question(nullptr, "Information", "Revert and lose changes?",
                                    QMessageBox::Yes | QMessageBox::No));
    EXPECT_EQ(QStringList{"Information|Revert and lose changes?"}, helper.messageBoxes());

    QString const folder = quarro::test::scratchDirectory();
    for (QString const name : {"a.las", "b.las"}) {
        QFile file(folder + "/" + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    helper.chooseFiles({folder + "/a.las", folder + "/b.las"}, "LAS (*.las)");
    QString selected;
    EXPECT_EQ(QStringList({folder + "/a.las", folder + "/b.las"}),
              QFileDialog::getOpenFileNames(nullptr, "Open: Select one or more files", folder,
                                            "All (*);;LAS (*.las)", &selected,
                                            QFileDialog::DontUseNativeDialog));
    EXPECT_EQ("LAS (*.las)", selected);
    helper.chooseFiles({});
    EXPECT_TRUE(QFileDialog::getOpenFileNames(nullptr, "Open", folder).isEmpty()) << "cancelled";
    EXPECT_TRUE(helper.allAnswered());
}

TEST(ModalDialogHelper, AnswersADialogOpenedWhileAHandlerWaits) {
    QDialog outer;
    int inner_answer = -1;
    ModalDialogHelper helper;
    // The outer dialog asks its question only once its handler holds it, so that the helper meets
    // the two dialogs in a fixed order however slowly the machine runs.
    helper.expect([&](QWidget* dialog) {
        QTimer::singleShot(0, &outer, [&] {
            inner_answer = QMessageBox::question(&outer, "inner", "Go on?",
                                                 QMessageBox::Yes | QMessageBox::No);
        });
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
    EXPECT_EQ(QStringList{"QDialog|surprise"}, helper.unexpected());
}

} // namespace
