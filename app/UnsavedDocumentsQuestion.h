#ifndef QUARRO_APP_UNSAVEDDOCUMENTSQUESTION_H
#define QUARRO_APP_UNSAVEDDOCUMENTSQUESTION_H

#include <QCoreApplication>
#include <QMessageBox>
#include <QStringList>

class QWidget;

namespace quarro {
namespace app {

// The one question asked when several documents with unsaved changes would close together (the
// application quits): it lists them and offers Save All (QMessageBox::SaveAll), Discard All
// (QMessageBox::Discard) and Cancel.
class UnsavedDocumentsQuestion {
    Q_DECLARE_TR_FUNCTIONS(UnsavedDocumentsQuestion)
public:
    // The button pressed; Cancel when the box was closed otherwise.
    static QMessageBox::StandardButton ask(QWidget* parent, QStringList const& names);
};

} // namespace app
} // namespace quarro

#endif // QUARRO_APP_UNSAVEDDOCUMENTSQUESTION_H
