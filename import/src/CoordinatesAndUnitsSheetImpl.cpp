#include "CoordinatesAndUnitsSheetImpl.h"

#include "importwidgets/QImportUnitSelector.h"
#include "ui_CoordinatesAndUnitsSheet.h"

namespace quarro {
namespace import {

namespace {

using Units = housekeeping::DataSource::Units;

// The selector's unit texts, compared exactly; the first match wins. Anything else is metres.
struct UnitText {
    char const* text;
    Units units;
    bool vertical_only;
};
UnitText const unit_texts[] = {
    {"Inches", housekeeping::DataSource::Inches, false},
    {"Feet", housekeeping::DataSource::Feet, false},
    {"Miles", housekeeping::DataSource::Miles, false},
    {"Kms", housekeeping::DataSource::Kms, false},
    {"Milliseconds", housekeeping::DataSource::Milliseconds, true},
    {"Seconds", housekeeping::DataSource::Seconds, true},
};

Units units_of(QString const& text, bool vertical) {
    for (UnitText const& entry : unit_texts) {
        if ((vertical || !entry.vertical_only) && text == QLatin1String(entry.text)) {
            return entry.units;
        }
    }
    return housekeeping::DataSource::Metres;
}

} // namespace

CoordinatesAndUnitsSheetImpl::CoordinatesAndUnitsSheetImpl()
    : m_ui(new Ui::CoordinatesAndUnitsSheet) {
    m_ui->setupUi(this);
}

CoordinatesAndUnitsSheetImpl::~CoordinatesAndUnitsSheetImpl() = default;

void CoordinatesAndUnitsSheetImpl::showXYSelector(bool show) {
    m_ui->m_qUnitSelector->showXYSelector(show);
}

QImportUnitSelector* CoordinatesAndUnitsSheetImpl::unitSelector() const {
    return m_ui->m_qUnitSelector;
}

housekeeping::DataSource::Units CoordinatesAndUnitsSheetImpl::xy_units_of(QString const& text) {
    return units_of(text, false);
}

housekeeping::DataSource::Units CoordinatesAndUnitsSheetImpl::z_units_of(QString const& text) {
    return units_of(text, true);
}

housekeeping::DataSource::Units CoordinatesAndUnitsSheetImpl::xy_units() const {
    return xy_units_of(m_ui->m_qUnitSelector->getXYUnit());
}

housekeeping::DataSource::Units CoordinatesAndUnitsSheetImpl::z_units() const {
    return z_units_of(m_ui->m_qUnitSelector->getZUnit());
}

housekeeping::DataSource::Sign CoordinatesAndUnitsSheetImpl::sign() const {
    return m_ui->m_qUnitSelector->getOrientation() == QImportUnitSelector::ZPositiveDown
               ? housekeeping::DataSource::ZPositiveDown
               : housekeeping::DataSource::ZPositiveUp;
}

} // namespace import
} // namespace quarro
