#ifndef BRKBASE_WIZARD_H
#define BRKBASE_WIZARD_H

#include "QuarroHostExport.h"
#include "base/AbstractSheetHandler.h"

#include <QDialog>
#include <QString>

#include <memory>
#include <vector>

class QCheckBox;
class QCloseEvent;
class QHBoxLayout;
class QKeyEvent;
class QLabel;
class QProgressBar;
class QPushButton;
class QShowEvent;
class QStackedWidget;
class QTreeWidgetItem;
class QUrl;

namespace brkBase {

class AbstractSheet;
class WizardProgress;

// The frame of a wizard dialog: a title strip naming the current sheet, the sheet area, a progress
// area that appears while work runs, and a button row (Journal, an optional question check box,
// Back, Next and Cancel). Subclasses add their sheets in populate_sheets(); the frame owns them.
//
// Start-up: the first show runs startup(), which populates the sheets, makes the question check
// box, lets setupQuestionCheck() configure it and starts every sheet. The first sheet is activated
// through the event loop afterwards, so that the dialog is on screen and a subclass's own start-up
// steps (after the frame's) have run before a sheet begins long work in activate().
//
// Closing: every way out (Cancel, Close, Escape, the window's close button, reject()) goes through
// close() and therefore closeEvent(), where subclasses do their clean-up. A wizard is shown once;
// closing it shuts its sheets down.
class QUARRO_HOST_EXPORT Wizard : public QDialog, public AbstractSheetHandler {
    Q_OBJECT

public:
    ~Wizard() override;

    void activate_sheet(QTreeWidgetItem* item) override;
    void activate_sheet(AbstractSheet* sheet, bool forward) override;
    void activate_next_sheet() override;
    void activate_previous_sheet() override;
    void update_navigation() override;
    void toggle_description() override;
    void activate_description_link(QUrl const& link) override;
    // Cancels running work and keeps the dialog open; without running work, rejects the dialog.
    void cancel_button_pressed() override;
    void restart() override;
    bool close() override;
    void startup() override;
    void shutdown() override;
    void populate_sheets() override;
    void add_sheet(AbstractSheet* sheet) override;
    void insert_sheet(AbstractSheet* sheet, AbstractSheet* before) override;
    void remove_sheet(AbstractSheet* sheet) override;
    bool is_modal() const override;

protected:
    // How the progress area shows the state of get_progress(); WizardProgress calls these.
    virtual void progress_changed_impl(int value);
    virtual void progress_caption_impl(QString const& caption);
    virtual void progress_started_impl(bool determinate);
    virtual void progress_finished_impl();
    virtual void progress_determinate_changed_impl(bool determinate);
    virtual void progress_paused_impl();
    // Called by startup() once the question check box exists; the frame leaves it hidden.
    virtual void setupQuestionCheck();

public:
    // The Cancel button becomes "Close": pressing it closes the dialog.
    virtual void set_close_button_mode();
    // The button is "Cancel" again: pressing it cancels running work or rejects the dialog.
    virtual void set_cancel_button_mode();
    // Shows or hides Back and Next; a non-empty next_text relabels Next.
    virtual void show_next_previous(bool show, QString const& next_text);
    // The Cancel/Close button was pressed (Escape counts as pressing it).
    virtual void closeButtonClicked(bool checked);
    // The Journal button was pressed; the frame has no journal of its own.
    virtual void journalButtonClicked();

    // Never null.
    WizardProgress* get_progress() const;

    QPushButton* nextButton() const { return m_next_button; }
    QPushButton* backButton() const { return m_back_button; }
    QPushButton* cancelButton() const { return m_cancel_button; }
    QPushButton* journalButton() const { return m_journal_button; }
    QCheckBox* questionCheck() const { return m_question_check; }
    AbstractSheet* currentSheet() const { return m_current; }
    std::vector<AbstractSheet*> sheets() const;
    bool is_close_button_mode() const { return m_close_mode; }

    // A navigation item for a sheet list: titled like the sheet and accepted by
    // activate_sheet(QTreeWidgetItem*). The caller owns the item.
    static QTreeWidgetItem* make_sheet_item(AbstractSheet* sheet);

public slots:
    // Goes through close(), so that closeEvent() clean-up runs on every way out.
    void reject() override;

protected:
    Wizard(QWidget* parent, Qt::WindowFlags flags);

    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

    QPushButton* m_next_button;
    QPushButton* m_back_button;
    QPushButton* m_cancel_button;
    // The further button of the row.
    QPushButton* m_journal_button;
    // Null until startup() makes it.
    QCheckBox* m_question_check;

private:
    friend class WizardProgress;

    void build_layout();
    void activate_first_sheet();
    void show_page(AbstractSheet* sheet);
    void focus_page(QWidget* page);
    void attach_page(AbstractSheet* sheet);
    int index_of(AbstractSheet const* sheet) const;
    AbstractSheet* next_available_after(AbstractSheet const* sheet) const;
    AbstractSheet* back_target() const;

    std::vector<std::unique_ptr<AbstractSheet>> m_sheets;
    AbstractSheet* m_current = nullptr;
    std::unique_ptr<WizardProgress> m_progress;

    QLabel* m_title_label = nullptr;
    QLabel* m_description_label = nullptr;
    QStackedWidget* m_stack = nullptr;
    QWidget* m_blank_page = nullptr;
    QWidget* m_progress_area = nullptr;
    QLabel* m_progress_label = nullptr;
    QProgressBar* m_progress_bar = nullptr;
    QHBoxLayout* m_button_row = nullptr;

    bool m_started = false;        // showEvent has run startup()
    bool m_frame_started = false;  // the frame's startup() has run
    bool m_sheets_started = false; // sheets added from now on are started at once
    bool m_shut_down = false;
    bool m_close_mode = false;
    bool m_in_close_event = false;
    bool m_description_shown = true;
};

} // namespace brkBase

#endif // BRKBASE_WIZARD_H
