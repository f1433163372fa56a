#ifndef IMPORTWIDGETS_QIMPORTUNITSELECTOR_H
#define IMPORTWIDGETS_QIMPORTUNITSELECTOR_H

#include "QuarroHostExport.h"

#include <QGroupBox>
#include <QString>
#include <QStringList>

class QButtonGroup;
class QComboBox;
class QEvent;
class QLabel;
class QRadioButton;

// Asks in which units a file's horizontal (XY) and vertical (Z) coordinates are given and which way
// its Z axis points. The units are answered as their display texts ("Metres", "Feet", ...); the Z
// axis may also be in time ("Seconds", "Milliseconds") for seismic data.
//
// A form may hide the XY choice by setting the dynamic property "showXYSelector" to false.
class QUARRO_HOST_EXPORT QImportUnitSelector : public QGroupBox {
    Q_OBJECT

public:
    enum Orientation { ZPositiveUp = 0, ZPositiveDown = 1 };
    Q_ENUM(Orientation)

    explicit QImportUnitSelector(QWidget* parent = nullptr);
    ~QImportUnitSelector() override;

    // The unit texts offered, in the order shown.
    static QStringList xyUnits();
    static QStringList zUnits();

    void showXYSelector(bool show);
    bool isXYSelectorShown() const { return m_xy_shown; }

    QString getXYUnit() const;
    QString getZUnit() const;
    Orientation getOrientation() const;

    // Select one of the offered texts; an unknown text changes nothing and gives false.
    bool setXYUnit(QString const& unit);
    bool setZUnit(QString const& unit);
    void setOrientation(Orientation orientation);

signals:
    // The user or a setter changed a unit or the orientation.
    void selectionChanged();

protected:
    bool event(QEvent* event) override;

private:
    Q_DISABLE_COPY(QImportUnitSelector)

    static bool selectText(QComboBox* combo, QString const& text);

    QLabel* m_xy_label;
    QComboBox* m_xy_combo;
    QLabel* m_z_label;
    QComboBox* m_z_combo;
    QRadioButton* m_z_down;
    QRadioButton* m_z_up;
    QButtonGroup* m_orientation_group;
    bool m_xy_shown = true;
};

#endif // IMPORTWIDGETS_QIMPORTUNITSELECTOR_H
