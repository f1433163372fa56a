#include "importwidgets/QImportUnitSelector.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDynamicPropertyChangeEvent>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVariant>

namespace {

char const* const kShowXYProperty = "showXYSelector";

} // namespace

QImportUnitSelector::QImportUnitSelector(QWidget* parent)
    : QGroupBox(tr("Coordinate units"), parent)
    , m_xy_label(new QLabel(tr("XY units:"), this))
    , m_xy_combo(new QComboBox(this))
    , m_z_label(new QLabel(tr("Z units:"), this))
    , m_z_combo(new QComboBox(this))
    , m_z_down(new QRadioButton(tr("Z positive down"), this))
    , m_z_up(new QRadioButton(tr("Z positive up"), this))
    , m_orientation_group(new QButtonGroup(this)) {
    m_xy_combo->setObjectName(QStringLiteral("xyUnitCombo"));
    m_z_combo->setObjectName(QStringLiteral("zUnitCombo"));
    m_z_down->setObjectName(QStringLiteral("zDownRadio"));
    m_z_up->setObjectName(QStringLiteral("zUpRadio"));
    // The texts are the answers callers compare against: they are not translated.
    m_xy_combo->addItems(xyUnits());
    m_z_combo->addItems(zUnits());
    m_xy_label->setBuddy(m_xy_combo);
    m_z_label->setBuddy(m_z_combo);

    m_orientation_group->addButton(m_z_up, ZPositiveUp);
    m_orientation_group->addButton(m_z_down, ZPositiveDown);
    m_z_up->setChecked(true);

    auto* orientation_row = new QHBoxLayout;
    orientation_row->addWidget(m_z_up);
    orientation_row->addWidget(m_z_down);
    orientation_row->addStretch(1);

    auto* grid = new QGridLayout(this);
    grid->addWidget(m_xy_label, 0, 0);
    grid->addWidget(m_xy_combo, 0, 1);
    grid->addWidget(m_z_label, 1, 0);
    grid->addWidget(m_z_combo, 1, 1);
    grid->addLayout(orientation_row, 2, 0, 1, 3);
    grid->setColumnStretch(2, 1);

    connect(m_xy_combo, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &QImportUnitSelector::selectionChanged);
    connect(m_z_combo, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &QImportUnitSelector::selectionChanged);
    connect(m_orientation_group, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked) {
            emit selectionChanged();
        }
    });
}

QImportUnitSelector::~QImportUnitSelector() = default;

QStringList QImportUnitSelector::xyUnits() {
    return {QStringLiteral("Metres"), QStringLiteral("Feet"), QStringLiteral("Kms"),
            QStringLiteral("Miles"), QStringLiteral("Inches")};
}

QStringList QImportUnitSelector::zUnits() {
    return xyUnits() << QStringLiteral("Seconds") << QStringLiteral("Milliseconds");
}

void QImportUnitSelector::showXYSelector(bool show) {
    m_xy_shown = show;
    m_xy_label->setVisible(show);
    m_xy_combo->setVisible(show);
}

QString QImportUnitSelector::getXYUnit() const {
    return m_xy_combo->currentText();
}

QString QImportUnitSelector::getZUnit() const {
    return m_z_combo->currentText();
}

QImportUnitSelector::Orientation QImportUnitSelector::getOrientation() const {
    return m_z_down->isChecked() ? ZPositiveDown : ZPositiveUp;
}

bool QImportUnitSelector::setXYUnit(QString const& unit) {
    return selectText(m_xy_combo, unit);
}

bool QImportUnitSelector::setZUnit(QString const& unit) {
    return selectText(m_z_combo, unit);
}

void QImportUnitSelector::setOrientation(Orientation orientation) {
    QRadioButton* const button = orientation == ZPositiveDown ? m_z_down : m_z_up;
    button->setChecked(true);
}

bool QImportUnitSelector::event(QEvent* event) {
    if (event->type() == QEvent::DynamicPropertyChange) {
        auto* const change = static_cast<QDynamicPropertyChangeEvent*>(event);
        if (change->propertyName() == kShowXYProperty) {
            // Removing the property brings back the default: the XY choice is shown.
            QVariant const value = property(kShowXYProperty);
            showXYSelector(!value.isValid() || value.toBool());
        }
    }
    return QGroupBox::event(event);
}

bool QImportUnitSelector::selectText(QComboBox* combo, QString const& text) {
    int const index = combo->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index < 0) {
        return false;
    }
    combo->setCurrentIndex(index);
    return true;
}
