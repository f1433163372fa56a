#include "housekeeping/ErrorHandler.h"

#include "housekeeping/ErrorProtocol.h"
#include "housekeeping/gui/AbstractMainWindow.h"

#include <QAbstractButton>
#include <QApplication>

namespace quarro {
namespace housekeeping {

namespace {

QMessageBox::StandardButton cautious_answer(QMessageBox::StandardButtons buttons) {
    for (QMessageBox::StandardButton candidate :
         {QMessageBox::No, QMessageBox::Cancel, QMessageBox::Abort, QMessageBox::Ok}) {
        if (buttons.testFlag(candidate)) {
            return candidate;
        }
    }
    for (unsigned bit = QMessageBox::FirstButton; bit <= QMessageBox::LastButton; bit <<= 1) {
        if (buttons.testFlag(static_cast<QMessageBox::StandardButton>(bit))) {
            return static_cast<QMessageBox::StandardButton>(bit);
        }
    }
    return QMessageBox::NoButton;
}

// Questions get the question icon; anything that only informs is shown as a warning.
QMessageBox::Icon icon_for(QMessageBox::StandardButtons buttons) {
    bool const asks = buttons.testFlag(QMessageBox::Yes) || buttons.testFlag(QMessageBox::No) ||
                      buttons.testFlag(QMessageBox::Retry) || buttons.testFlag(QMessageBox::Save);
    return asks ? QMessageBox::Question : QMessageBox::Warning;
}

} // namespace

ErrorHandler& ErrorHandler::instance() {
    static ErrorHandler handler;
    return handler;
}

QMessageBox::StandardButton ErrorHandler::message(QString const& title, QString const& text,
                                                  QMessageBox::StandardButtons buttons) {
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) {
        QMessageBox::StandardButton const answer = cautious_answer(buttons);
        ErrorProtocol::instance().log_message(QStringLiteral("%1: %2 (answered without asking: %3)")
                                                  .arg(title, text)
                                                  .arg(static_cast<int>(answer))
                                                  .toStdString());
        return answer;
    }
    QWidget* parent = gui::AbstractMainWindow::instance();
    if (parent == nullptr) {
        parent = QApplication::activeWindow();
    }
    QMessageBox box(icon_for(buttons), title, text, buttons, parent);
    box.exec();
    return box.standardButton(box.clickedButton());
}

} // namespace housekeeping
} // namespace quarro
