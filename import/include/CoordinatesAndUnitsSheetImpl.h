#ifndef QUARRO_IMPORT_COORDINATESANDUNITSSHEETIMPL_H
#define QUARRO_IMPORT_COORDINATESANDUNITSSHEETIMPL_H

#include "QuarroImportExport.h"
#include "housekeeping/DataSource.h"
#include "ui_CoordinatesAndUnitsSheet.h"

#include <QWidget>

namespace quarro {
namespace import {

// A ready-made panel for importer wizards: asks in which units the horizontal (XY) and vertical
// (Z) coordinates of a file are given and which way Z points, and answers in the values a data
// source stores. Time units make sense on the vertical axis only (seismic in time).
class QUARRO_IMPORT_EXPORT CoordinatesAndUnitsSheetImpl : public QWidget,
                                                          private Ui::CoordinatesAndUnitsSheet {
public:
    CoordinatesAndUnitsSheetImpl();
    ~CoordinatesAndUnitsSheetImpl() override;

    void showXYSelector(bool show);

    housekeeping::DataSource::Units xy_units() const;
    housekeeping::DataSource::Units z_units() const;
    housekeeping::DataSource::Sign sign() const;

    // The unit of a selector text on either axis: the texts are compared exactly; a text that
    // is no known unit, or a time unit on the horizontal axis, gives metres.
    static housekeeping::DataSource::Units xy_units_of(QString const& text);
    static housekeeping::DataSource::Units z_units_of(QString const& text);

    // The selector itself, for wizards that preset or read more than the three answers.
    QImportUnitSelector* unitSelector() const { return m_qUnitSelector; }

private:
    Q_DISABLE_COPY(CoordinatesAndUnitsSheetImpl)
};

} // namespace import
} // namespace quarro

#endif // QUARRO_IMPORT_COORDINATESANDUNITSSHEETIMPL_H
