#include "UnsavedDocumentsQuestion.h"

#include <QAbstractButton>

namespace quarro {
namespace app {

QMessageBox::StandardButton UnsavedDocumentsQuestion::ask(QWidget* parent,
                                                          QStringList const& names) {
    QMessageBox box(QMessageBox::Warning, tr("Quit"),
                    tr("%n documents have unsaved changes:\n\n%1\n\nDo you want to save them?",
                       nullptr, names.size())
                        .arg(names.join(QLatin1Char('\n'))),
                    QMessageBox::SaveAll | QMessageBox::Discard | QMessageBox::Cancel, parent);
    box.button(QMessageBox::Discard)->setText(tr("Discard All"));
    box.setDefaultButton(QMessageBox::SaveAll);
    box.setEscapeButton(QMessageBox::Cancel);
    int const answer = box.exec();
    if (answer == QMessageBox::SaveAll || answer == QMessageBox::Discard) {
        return static_cast<QMessageBox::StandardButton>(answer);
    }
    return QMessageBox::Cancel;
}

} // namespace app
} // namespace quarro
