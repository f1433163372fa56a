#include "ModalDialogHelper.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDateTime>
#include <QDialog>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLineEdit>
#include <QMetaObject>

#include <algorithm>
#include <memory>

namespace quarro {
namespace test {

namespace {

// Closes a dialog that is not of the kind a handler expected, so that the flow goes on and fails.
void reject(QWidget* dialog) {
    if (auto* plain = qobject_cast<QDialog*>(dialog)) {
        plain->reject();
    } else {
        dialog->close();
    }
}

} // namespace

ModalDialogHelper::ModalDialogHelper(int unexpected_timeout_ms)
    : m_timeout_ms(unexpected_timeout_ms) {
    m_timer.setInterval(10);
    connect(&m_timer, &QTimer::timeout, this, &ModalDialogHelper::poll);
    m_timer.start();
}

ModalDialogHelper::~ModalDialogHelper() = default;

ModalDialogHelper& ModalDialogHelper::expect(Handler handler) {
    m_handlers.push_back(std::move(handler));
    return *this;
}

ModalDialogHelper& ModalDialogHelper::pressMessageBoxButton(QMessageBox::StandardButton button) {
    return expect([button](QWidget* dialog) {
        auto* box = qobject_cast<QMessageBox*>(dialog);
        QAbstractButton* pressed = box != nullptr ? box->button(button) : nullptr;
        pressed != nullptr ? pressed->click() : reject(dialog);
    });
}

ModalDialogHelper& ModalDialogHelper::chooseFiles(QStringList const& files,
                                                  QString const& name_filter) {
    return expect([files, name_filter](QWidget* dialog) {
        auto* file_dialog = qobject_cast<QFileDialog*>(dialog);
        if (file_dialog == nullptr || files.isEmpty()) {
            reject(dialog);
            return;
        }
        if (!name_filter.isEmpty()) {
            file_dialog->selectNameFilter(name_filter);
        }
        // Type the names as a user would: one name plainly, several as a quoted list.
        file_dialog->setDirectory(QFileInfo(files.first()).absolutePath());
        QString typed = QFileInfo(files.first()).fileName();
        if (files.size() > 1) {
            typed.clear();
            for (QString const& f : files) {
                typed += QLatin1Char('"') + QFileInfo(f).fileName() + QLatin1String("\" ");
            }
        }
        if (auto* edit = file_dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
            edit->setText(typed.trimmed());
        } else {
            file_dialog->selectFile(files.first());
        }
        // QFileDialog hides accept(); the dialog's own slot is reached through QDialog.
        static_cast<QDialog*>(file_dialog)->accept();
    });
}

bool ModalDialogHelper::waitFor(std::function<bool()> const& condition, int timeout_ms) {
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > timeout_ms) {
            return condition();
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

void ModalDialogHelper::poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || !modal->isVisible()) {
        return;
    }
    m_seen.erase(std::remove(m_seen.begin(), m_seen.end(), QPointer<QWidget>()), m_seen.end());
    if (std::find(m_seen.begin(), m_seen.end(), modal) != m_seen.end()) {
        return;
    }
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (box != nullptr && m_waiting != modal) {
        m_message_boxes << box->windowTitle() + QLatin1Char('|') + box->text();
    }
    if (m_handlers.empty()) {
        // Nobody expects this dialog: give the flow a moment (a handler may be queued late), then
        // reject it so that the test goes on and reports the surprise.
        qint64 const now = QDateTime::currentMSecsSinceEpoch();
        if (m_waiting != modal) {
            m_waiting = modal;
            m_waiting_since = now;
        } else if (now - m_waiting_since >= m_timeout_ms) {
            m_seen.emplace_back(modal);
            m_unexpected << (modal->metaObject()->className() + QLatin1Char('|') +
                             modal->windowTitle());
            reject(modal);
        }
        return;
    }
    m_waiting = nullptr;
    m_seen.emplace_back(modal);
    ++m_answered;
    // Run the handler from its own event rather than from this timer: Qt does not fire a timer
    // again while its handler runs, and a handler that waits for its dialog must still let this
    // timer answer the dialogs opened on top of it.
    auto handler = std::make_shared<Handler>(std::move(m_handlers.front()));
    m_handlers.pop_front();
    QPointer<QWidget> target(modal);
    QMetaObject::invokeMethod(
        this,
        [handler, target] {
            if (!target.isNull()) {
                (*handler)(target.data());
            }
        },
        Qt::QueuedConnection);
}

} // namespace test
} // namespace quarro
