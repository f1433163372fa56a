#ifndef QUARRO_HOUSEKEEPING_ERRORHANDLER_H
#define QUARRO_HOUSEKEEPING_ERRORHANDLER_H

#include "QuarroHostExport.h"

#include <QMessageBox>
#include <QString>
#include <QtGlobal>

namespace quarro {
namespace housekeeping {

// Asks the user: questions and error boxes of the application and its plugins go through here, so
// that they all have the same parent and the same look. GUI thread only.
class QUARRO_HOST_EXPORT ErrorHandler {
public:
    static ErrorHandler& instance();

    // Shows a modal QMessageBox with the given title, text and buttons, parented to the main
    // window if there is one, else to the active window, and returns the button pressed
    // (QMessageBox::NoButton when the box was closed without one).
    //
    // Without a widget application (a console tool) nobody can answer: the question is written
    // to the error protocol and the cautious answer is returned: No, else Cancel, else Abort, else
    // Ok, else the first of the buttons.
    QMessageBox::StandardButton message(QString const& title, QString const& text,
                                        QMessageBox::StandardButtons buttons);

private:
    ErrorHandler() = default;
    Q_DISABLE_COPY(ErrorHandler)
};

} // namespace housekeeping
} // namespace quarro

#endif // QUARRO_HOUSEKEEPING_ERRORHANDLER_H
