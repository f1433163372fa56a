#ifndef BRKBASE_ABSTRACTSHEET_H
#define BRKBASE_ABSTRACTSHEET_H

#include "QuarroHostExport.h"

#include <QPointer>
#include <QString>
#include <QWidget>

namespace brkBase {

class AbstractSheetHandler;

// One step of a wizard. A sheet is not a QObject: it names the widget that shows it (often the
// sheet itself, when a subclass derives from QWidget as well) and reacts to the handler's calls.
//
// The handler calls startup() once before any sheet is shown and shutdown() once when the wizard
// closes. activate() runs when the sheet is entered moving forward and resume() when it is
// returned to with Back; suspend() runs when it is left moving forward (it stays in the history)
// and deactivate() when it is left moving back.
class QUARRO_HOST_EXPORT AbstractSheet {
public:
    explicit AbstractSheet(AbstractSheetHandler* handler);
    virtual ~AbstractSheet();

    virtual void startup();
    virtual void shutdown();
    virtual void resume();
    virtual void suspend();
    virtual void activate();
    virtual void deactivate();
    // Returns the sheet to its state before the wizard ran.
    virtual void restart();
    // The sheet's state changed: by default the handler re-evaluates its navigation.
    virtual void update();
    // The user may move on from this sheet.
    virtual bool isComplete() const;
    // The sheet may be entered now.
    virtual bool isAvailable() const;
    // The heading shown above the sheet; by default its widget's window title.
    virtual QString title() const;
    // A line of rich text shown under the title; links in it go to the handler.
    virtual void description(QString const& text);
    virtual QString description() const;
    virtual QString helpkey() const;
    virtual void setHelpKey(QString const& key);

    QWidget* widget() const { return m_widget; }
    void setWidget(QWidget* widget) { m_widget = widget; }

    AbstractSheetHandler* handler() const { return m_handler; }

    AbstractSheet* previousStep() const { return m_previous_step; }
    void setPreviousStep(AbstractSheet* sheet) { m_previous_step = sheet; }

protected:
    // The sheet shown before this one, null at first; the handler sets it when it moves forward.
    AbstractSheet* m_previous_step;

private:
    Q_DISABLE_COPY(AbstractSheet)

    AbstractSheetHandler* m_handler;
    // Guarded: the widget belongs to Qt's parent tree and may die before the sheet.
    QPointer<QWidget> m_widget;
    QString m_description;
    QString m_helpkey;
};

} // namespace brkBase

#endif // BRKBASE_ABSTRACTSHEET_H
