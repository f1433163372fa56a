#include "base/Wizard.h"

#include "base/AbstractSheet.h"
#include "base/WizardProgress.h"
#include "base/brkProductInfo.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QShowEvent>
#include <QStackedWidget>
#include <QTimer>
#include <QTreeWidgetItem>
#include <QUrl>
#include <QVBoxLayout>
#include <QtDebug>

#include <algorithm>

namespace brkBase {

namespace {

QFrame* makeRule(QWidget* parent) {
    auto* rule = new QFrame(parent);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    return rule;
}

QPushButton* makeButton(QString const& text, QString const& name, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    return button;
}

} // namespace

Wizard::Wizard(QWidget* parent, Qt::WindowFlags flags)
    : QDialog(parent, flags)
    , m_next_button(nullptr)
    , m_back_button(nullptr)
    , m_cancel_button(nullptr)
    , m_journal_button(nullptr)
    , m_question_check(nullptr)
    , m_progress(new WizardProgress(this)) {
    setWindowTitle(QString::fromStdString(brkProductInfo::instance().product_name()));
    setSizeGripEnabled(true);
    build_layout();
    resize(640, 480);
}

Wizard::~Wizard() {
    m_current = nullptr;
    // The sheets go before the dialog's children: a sheet may still refer to its page. A page that
    // is not the sheet itself is deleted with it rather than left to the stack.
    std::vector<std::unique_ptr<AbstractSheet>> sheets;
    sheets.swap(m_sheets);
    for (std::unique_ptr<AbstractSheet>& sheet : sheets) {
        QPointer<QWidget> page = sheet->widget();
        sheet.reset();
        delete page.data();
    }
}

void Wizard::build_layout() {
    auto* header = new QFrame(this);
    header->setObjectName(QStringLiteral("wizardHeader"));
    header->setAutoFillBackground(true);
    header->setBackgroundRole(QPalette::Base);
    auto* header_layout = new QVBoxLayout(header);
    header_layout->setContentsMargins(14, 10, 14, 10);
    header_layout->setSpacing(4);
    m_title_label = new QLabel(header);
    m_title_label->setObjectName(QStringLiteral("wizardTitle"));
    QFont title_font = m_title_label->font();
    title_font.setBold(true);
    title_font.setPointSizeF(title_font.pointSizeF() * 1.2);
    m_title_label->setFont(title_font);
    m_description_label = new QLabel(header);
    m_description_label->setObjectName(QStringLiteral("wizardDescription"));
    m_description_label->setWordWrap(true);
    m_description_label->setTextFormat(Qt::RichText);
    m_description_label->setTextInteractionFlags(Qt::LinksAccessibleByMouse |
                                                 Qt::LinksAccessibleByKeyboard);
    m_description_label->hide();
    connect(m_description_label, &QLabel::linkActivated, this,
            [this](QString const& link) { activate_description_link(QUrl(link)); });
    header_layout->addWidget(m_title_label);
    header_layout->addWidget(m_description_label);

    auto* body = new QVBoxLayout;
    // Child layouts would inherit the outer layout's zero spacing.
    body->setContentsMargins(11, 8, 11, 4);
    body->setSpacing(6);
    m_stack = new QStackedWidget(this);
    m_stack->setObjectName(QStringLiteral("sheetStack"));
    m_blank_page = new QWidget(m_stack);
    m_stack->addWidget(m_blank_page);
    body->addWidget(m_stack, 1);

    m_progress_area = new QWidget(this);
    m_progress_area->setObjectName(QStringLiteral("progressArea"));
    auto* progress_layout = new QVBoxLayout(m_progress_area);
    progress_layout->setContentsMargins(0, 4, 0, 0);
    m_progress_label = new QLabel(m_progress_area);
    m_progress_label->setObjectName(QStringLiteral("progressCaption"));
    m_progress_bar = new QProgressBar(m_progress_area);
    m_progress_bar->setObjectName(QStringLiteral("progressBar"));
    m_progress_bar->setRange(0, 100);
    progress_layout->addWidget(m_progress_label);
    progress_layout->addWidget(m_progress_bar);
    m_progress_area->hide();
    body->addWidget(m_progress_area);

    m_journal_button = makeButton(tr("Journal"), QStringLiteral("journalButton"), this);
    m_back_button = makeButton(tr("Back"), QStringLiteral("backButton"), this);
    m_next_button = makeButton(tr("Next"), QStringLiteral("nextButton"), this);
    m_cancel_button = makeButton(tr("Cancel"), QStringLiteral("cancelButton"), this);
    // Return always means Next: the other buttons do not take over as default when focused.
    m_next_button->setDefault(true);
    for (QPushButton* other : {m_journal_button, m_back_button, m_cancel_button}) {
        other->setAutoDefault(false);
    }
    m_back_button->setEnabled(false);
    m_next_button->setEnabled(false);
    connect(m_journal_button, &QPushButton::clicked, this, [this]() { journalButtonClicked(); });
    connect(m_back_button, &QPushButton::clicked, this, [this]() { activate_previous_sheet(); });
    connect(m_next_button, &QPushButton::clicked, this, [this]() { activate_next_sheet(); });
    connect(m_cancel_button, &QPushButton::clicked, this,
            [this](bool checked) { closeButtonClicked(checked); });

    // Journal, then the slot of the question check box, then the navigation on the right.
    m_button_row = new QHBoxLayout;
    m_button_row->setContentsMargins(11, 6, 11, 11);
    m_button_row->setSpacing(6);
    m_button_row->addWidget(m_journal_button);
    m_button_row->addStretch(1);
    m_button_row->addWidget(m_back_button);
    m_button_row->addWidget(m_next_button);
    m_button_row->addSpacing(8);
    m_button_row->addWidget(m_cancel_button);

    auto* main = new QVBoxLayout(this);
    main->setContentsMargins(0, 0, 0, 0);
    main->setSpacing(0);
    main->addWidget(header);
    main->addWidget(makeRule(this));
    main->addLayout(body, 1);
    main->addWidget(makeRule(this));
    main->addLayout(m_button_row);
}

void Wizard::activate_sheet(QTreeWidgetItem* item) {
    if (item == nullptr) {
        return;
    }
    auto* const wanted = static_cast<AbstractSheet*>(item->data(0, Qt::UserRole).value<void*>());
    int const index = index_of(wanted);
    if (index < 0 || !wanted->isAvailable()) {
        return;
    }
    activate_sheet(wanted, m_current == nullptr || index > index_of(m_current));
}

void Wizard::activate_sheet(AbstractSheet* sheet, bool forward) {
    if (index_of(sheet) < 0) {
        qWarning("brkBase::Wizard::activate_sheet: the sheet is not one of this wizard's sheets");
        return;
    }
    if (sheet == m_current) {
        show_page(sheet);
        update_navigation();
        return;
    }
    AbstractSheet* const left = m_current;
    if (left != nullptr) {
        if (forward) {
            left->suspend();
        } else {
            left->deactivate();
        }
    }
    if (forward) {
        sheet->setPreviousStep(left);
    }
    m_current = sheet;
    show_page(sheet);
    // Before activate(): a sheet may work for a long time in it, with the buttons on screen.
    update_navigation();
    focus_page(sheet->widget());
    if (forward) {
        sheet->activate();
    } else {
        sheet->resume();
    }
}

void Wizard::activate_next_sheet() {
    if (m_current == nullptr) {
        activate_first_sheet();
        return;
    }
    if (AbstractSheet* next = next_available_after(m_current)) {
        activate_sheet(next, true);
    }
}

void Wizard::activate_previous_sheet() {
    if (AbstractSheet* back = back_target()) {
        activate_sheet(back, false);
    }
}

void Wizard::update_navigation() {
    bool const can_go_on = m_current != nullptr && m_current->isComplete() &&
                           next_available_after(m_current) != nullptr;
    m_next_button->setEnabled(can_go_on);
    m_back_button->setEnabled(back_target() != nullptr);
}

void Wizard::toggle_description() {
    m_description_shown = !m_description_shown;
    m_description_label->setVisible(m_description_shown && !m_description_label->text().isEmpty());
}

void Wizard::activate_description_link(QUrl const& link) {
    if (!link.isValid()) {
        return;
    }
    QDesktopServices::openUrl(link);
}

void Wizard::cancel_button_pressed() {
    if (m_progress->is_running()) {
        m_progress->cancel_progress();
        return;
    }
    reject();
}

void Wizard::restart() {
    if (m_current != nullptr) {
        m_current->deactivate();
        m_current = nullptr;
    }
    for (std::unique_ptr<AbstractSheet> const& sheet : m_sheets) {
        sheet->setPreviousStep(nullptr);
        sheet->restart();
    }
    if (m_progress->is_running()) {
        m_progress->finish();
    }
    set_cancel_button_mode();
    activate_first_sheet();
}

bool Wizard::close() {
    return QDialog::close();
}

void Wizard::startup() {
    if (m_frame_started) {
        return;
    }
    m_frame_started = true;
    populate_sheets();
    if (m_question_check == nullptr) {
        m_question_check = new QCheckBox(this);
        m_question_check->setObjectName(QStringLiteral("questionCheck"));
        m_question_check->hide();
    }
    if (m_button_row->indexOf(m_question_check) < 0) {
        m_button_row->insertWidget(1, m_question_check);
    }
    setupQuestionCheck();
    // Sheets added by a sheet's startup() are started by add_sheet, not a second time here.
    std::vector<AbstractSheet*> const to_start = sheets();
    m_sheets_started = true;
    for (AbstractSheet* sheet : to_start) {
        if (index_of(sheet) >= 0) {
            sheet->startup();
        }
    }
    QTimer::singleShot(0, this, [this]() { activate_first_sheet(); });
}

void Wizard::shutdown() {
    if (!m_frame_started || m_shut_down) {
        return;
    }
    m_shut_down = true;
    for (AbstractSheet* sheet : sheets()) {
        sheet->shutdown();
    }
}

void Wizard::populate_sheets() {}

void Wizard::add_sheet(AbstractSheet* sheet) {
    insert_sheet(sheet, nullptr);
}

void Wizard::insert_sheet(AbstractSheet* sheet, AbstractSheet* before) {
    if (sheet == nullptr || index_of(sheet) >= 0) {
        return;
    }
    int const position = index_of(before);
    auto const where = position < 0 ? m_sheets.end() : m_sheets.begin() + position;
    m_sheets.emplace(where, sheet);
    attach_page(sheet);
    if (m_sheets_started) {
        sheet->startup();
    }
    update_navigation();
}

void Wizard::remove_sheet(AbstractSheet* sheet) {
    int const index = index_of(sheet);
    if (index < 0) {
        return;
    }
    bool const was_current = sheet == m_current;
    if (was_current) {
        sheet->deactivate();
        m_current = nullptr;
    }
    // The history skips the removed sheet.
    AbstractSheet* const before_it = sheet->previousStep();
    for (std::unique_ptr<AbstractSheet> const& other : m_sheets) {
        if (other->previousStep() == sheet) {
            other->setPreviousStep(before_it == sheet ? nullptr : before_it);
        }
    }
    m_sheets[index].release();
    m_sheets.erase(m_sheets.begin() + index);
    if (QWidget* page = sheet->widget()) {
        m_stack->removeWidget(page);
        page->setParent(nullptr);
    }
    if (!was_current) {
        update_navigation();
        return;
    }
    if (index_of(before_it) >= 0 && before_it->isAvailable()) {
        activate_sheet(before_it, false);
        return;
    }
    m_stack->setCurrentWidget(m_blank_page);
    activate_first_sheet();
    update_navigation();
}

bool Wizard::is_modal() const {
    return isModal();
}

void Wizard::progress_changed_impl(int value) {
    m_progress_bar->setValue(value);
}

void Wizard::progress_caption_impl(QString const& caption) {
    m_progress_label->setText(caption);
    m_progress_label->setVisible(!caption.isEmpty());
}

void Wizard::progress_started_impl(bool determinate) {
    progress_determinate_changed_impl(determinate);
    m_progress_bar->setValue(0);
    m_progress_label->setVisible(!m_progress_label->text().isEmpty());
    m_progress_area->show();
}

void Wizard::progress_finished_impl() {
    m_progress_area->hide();
}

void Wizard::progress_determinate_changed_impl(bool determinate) {
    // An empty range makes the bar a busy indicator.
    m_progress_bar->setRange(0, determinate ? 100 : 0);
}

void Wizard::progress_paused_impl() {
    // Stop the busy animation while the work waits; a determinate bar simply stands still.
    if (m_progress_bar->maximum() == 0) {
        m_progress_bar->setRange(0, 100);
    }
}

void Wizard::setupQuestionCheck() {}

void Wizard::set_close_button_mode() {
    m_close_mode = true;
    m_cancel_button->setText(tr("Close"));
}

void Wizard::set_cancel_button_mode() {
    m_close_mode = false;
    m_cancel_button->setText(tr("Cancel"));
}

void Wizard::show_next_previous(bool show, QString const& next_text) {
    m_next_button->setVisible(show);
    m_back_button->setVisible(show);
    if (!next_text.isEmpty()) {
        m_next_button->setText(next_text);
    }
}

void Wizard::closeButtonClicked(bool) {
    if (m_close_mode) {
        close();
        return;
    }
    cancel_button_pressed();
}

void Wizard::journalButtonClicked() {}

WizardProgress* Wizard::get_progress() const {
    return m_progress.get();
}

std::vector<AbstractSheet*> Wizard::sheets() const {
    std::vector<AbstractSheet*> result;
    result.reserve(m_sheets.size());
    for (std::unique_ptr<AbstractSheet> const& sheet : m_sheets) {
        result.push_back(sheet.get());
    }
    return result;
}

QTreeWidgetItem* Wizard::make_sheet_item(AbstractSheet* sheet) {
    auto* item = new QTreeWidgetItem;
    if (sheet != nullptr) {
        item->setText(0, sheet->title());
    }
    item->setData(0, Qt::UserRole, QVariant::fromValue(static_cast<void*>(sheet)));
    return item;
}

void Wizard::reject() {
    // Inside closeEvent the dialog is already on its way out: finish the job QDialog's way.
    if (m_in_close_event || !isVisible()) {
        QDialog::reject();
        return;
    }
    close();
}

void Wizard::closeEvent(QCloseEvent* event) {
    QPointer<Wizard> const self(this);
    m_in_close_event = true;
    QDialog::closeEvent(event);
    if (self.isNull()) {
        return;
    }
    m_in_close_event = false;
    if (!event->isAccepted()) {
        return;
    }
    // Work still running when the dialog goes away must notice that nobody waits for it.
    m_progress->cancel_progress();
    shutdown();
}

void Wizard::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (m_started) {
        return;
    }
    m_started = true;
    startup();
}

void Wizard::keyPressEvent(QKeyEvent* event) {
    // Escape means the Cancel/Close button, so that it cancels running work instead of dropping
    // the dialog under it.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        if (m_cancel_button->isEnabled()) {
            closeButtonClicked(false);
        }
        return;
    }
    QDialog::keyPressEvent(event);
}

void Wizard::activate_first_sheet() {
    if (m_current != nullptr || m_shut_down) {
        return;
    }
    for (std::unique_ptr<AbstractSheet> const& sheet : m_sheets) {
        if (sheet->isAvailable()) {
            activate_sheet(sheet.get(), true);
            return;
        }
    }
    update_navigation();
}

void Wizard::show_page(AbstractSheet* sheet) {
    attach_page(sheet);
    QWidget* const page = sheet->widget();
    m_stack->setCurrentWidget(page != nullptr ? page : m_blank_page);
    QString const title = sheet->title();
    m_title_label->setText(title);
    m_title_label->setVisible(!title.isEmpty());
    m_description_label->setText(sheet->description());
    m_description_label->setVisible(m_description_shown && !sheet->description().isEmpty());
}

void Wizard::focus_page(QWidget* page) {
    if (!isVisible()) {
        return;
    }
    // The page's first field takes the focus; a page without fields leaves it to Next.
    if (page != nullptr) {
        QWidget* candidate = page;
        do {
            if ((candidate == page || page->isAncestorOf(candidate)) && candidate->isVisible() &&
                candidate->isEnabled() && (candidate->focusPolicy() & Qt::TabFocus) != 0) {
                candidate->setFocus(Qt::OtherFocusReason);
                return;
            }
            candidate = candidate->nextInFocusChain();
        } while (candidate != nullptr && candidate != page);
    }
    if (m_next_button->isVisible() && m_next_button->isEnabled()) {
        m_next_button->setFocus(Qt::OtherFocusReason);
    }
}

void Wizard::attach_page(AbstractSheet* sheet) {
    QWidget* const page = sheet->widget();
    if (page == nullptr || m_stack->indexOf(page) >= 0) {
        return;
    }
    m_stack->addWidget(page);
}

int Wizard::index_of(AbstractSheet const* sheet) const {
    if (sheet == nullptr) {
        return -1;
    }
    auto const it =
        std::find_if(m_sheets.begin(), m_sheets.end(),
                     [sheet](std::unique_ptr<AbstractSheet> const& s) { return s.get() == sheet; });
    return it == m_sheets.end() ? -1 : static_cast<int>(it - m_sheets.begin());
}

AbstractSheet* Wizard::next_available_after(AbstractSheet const* sheet) const {
    int const index = index_of(sheet);
    if (index < 0) {
        return nullptr;
    }
    for (std::size_t i = static_cast<std::size_t>(index) + 1; i < m_sheets.size(); ++i) {
        if (m_sheets[i]->isAvailable()) {
            return m_sheets[i].get();
        }
    }
    return nullptr;
}

AbstractSheet* Wizard::back_target() const {
    if (m_current == nullptr) {
        return nullptr;
    }
    // Back retraces the history; a sheet that has closed itself (a finished loader) stops it.
    AbstractSheet* const previous = m_current->previousStep();
    if (index_of(previous) < 0 || !previous->isAvailable()) {
        return nullptr;
    }
    return previous;
}

} // namespace brkBase
