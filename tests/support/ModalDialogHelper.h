#ifndef QUARRO_TESTS_MODALDIALOGHELPER_H
#define QUARRO_TESTS_MODALDIALOGHELPER_H

#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>

#include <deque>
#include <functional>
#include <vector>

namespace quarro {
namespace test {

// Answers modal dialogs the way a user would, so that flows which call exec() can run inside a
// test.
//
// Queue one handler per dialog the flow is expected to open, then start the flow. While the flow
// sits in the dialog's nested event loop, a timer notices QApplication::activeModalWidget() and
// hands each newly opened modal widget to the next handler. A handler may itself wait (with
// waitFor) while the dialog works; dialogs opened on top of it are answered by later handlers.
//
// A modal dialog that no handler is queued for is rejected after the time-out and recorded, so a
// wrong flow makes the test fail instead of hanging it.
class ModalDialogHelper : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<void(QWidget* dialog)>;

    explicit ModalDialogHelper(int unexpected_timeout_ms = 5000);
    ~ModalDialogHelper() override;

    // Queues a handler for the next modal dialog that opens.
    ModalDialogHelper& expect(Handler handler);

    // Queues a handler that presses the given button of the next QMessageBox.
    ModalDialogHelper& pressMessageBoxButton(QMessageBox::StandardButton button);

    // Queues a handler that accepts the next QFileDialog with the given files selected (and the
    // given name filter, when not empty); with an empty list it cancels the dialog.
    ModalDialogHelper& chooseFiles(QStringList const& files,
                                   QString const& name_filter = QString());

    int answered() const { return m_answered; }
    bool allAnswered() const { return m_handlers.empty(); }

    // Title and text of every QMessageBox seen, in order: "title|text".
    QStringList const& messageBoxes() const { return m_message_boxes; }

    // Modal dialogs that opened without a handler; each was rejected after the time-out.
    QStringList const& unexpected() const { return m_unexpected; }

    // Runs the event loop until condition() holds or timeout_ms pass; returns condition().
    static bool waitFor(std::function<bool()> const& condition, int timeout_ms = 5000);

private:
    void poll();

    std::deque<Handler> m_handlers;
    std::vector<QPointer<QWidget>> m_seen;
    QPointer<QWidget> m_waiting;
    qint64 m_waiting_since = 0;
    int m_answered = 0;
    int m_timeout_ms;
    QStringList m_message_boxes;
    QStringList m_unexpected;
    QTimer m_timer;
};

} // namespace test
} // namespace quarro

#endif // QUARRO_TESTS_MODALDIALOGHELPER_H
