#ifndef QUARRO_IMPORT_COORDINATESANDUNITSSHEETIMPL_H
#define QUARRO_IMPORT_COORDINATESANDUNITSSHEETIMPL_H

#include "QuarroImportExport.h"
#include "housekeeping/DataSource.h"

#include <QWidget>

#include <memory>

class QImportUnitSelector;

namespace Ui {
class CoordinatesAndUnitsSheet;
} // namespace Ui

namespace quarro {
namespace import {

// A ready-made panel for importer wizards: asks in which units the horizontal (XY) and vertical
// (Z) coordinates of a file are given and which way Z points, and answers in the values a data
// source stores. Time units make sense on the vertical axis only (seismic in time).
//
// The form generated from CoordinatesAndUnitsSheet.ui is held by pointer, so that this header
// needs no header generated inside the library's build.
class QUARRO_IMPORT_EXPORT CoordinatesAndUnitsSheetImpl : public QWidget {
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
    QImportUnitSelector* unitSelector() const;

private:
    Q_DISABLE_COPY(CoordinatesAndUnitsSheetImpl)

    std::unique_ptr<Ui::CoordinatesAndUnitsSheet> m_ui;
};

} // namespace import
} // namespace quarro

#endif // QUARRO_IMPORT_COORDINATESANDUNITSSHEETIMPL_H
