#ifndef BRKBASE_ABSTRACTSHEETHANDLER_H
#define BRKBASE_ABSTRACTSHEETHANDLER_H

#include "QuarroHostExport.h"

#include <QtGlobal>

class QTreeWidgetItem;
class QUrl;

namespace brkBase {

class AbstractSheet;

// The navigation side of a wizard: it owns a sequence of sheets, shows one at a time, moves between
// them and starts and ends them. Wizard is the implementation; sheets talk to their handler only
// through this interface.
class QUARRO_HOST_EXPORT AbstractSheetHandler {
public:
    AbstractSheetHandler();
    virtual ~AbstractSheetHandler();

    // Activates the sheet that a navigation item (of a sheet list a handler may show) stands for.
    virtual void activate_sheet(QTreeWidgetItem* item) = 0;
    // Makes sheet the current one. Moving forward records the sheet left behind as the new
    // sheet's previous step; moving back returns to a sheet shown before.
    virtual void activate_sheet(AbstractSheet* sheet, bool forward) = 0;
    virtual void activate_next_sheet() = 0;
    virtual void activate_previous_sheet() = 0;
    // Brings the navigation controls in line with the current sheet's state.
    virtual void update_navigation() = 0;
    virtual void toggle_description() = 0;
    virtual void activate_description_link(QUrl const& link) = 0;
    virtual void cancel_button_pressed() = 0;
    virtual void restart() = 0;
    // Closes the handler's window; false when the window refused to close.
    virtual bool close() = 0;
    virtual void startup() = 0;
    virtual void shutdown() = 0;
    // Creates and adds the sheets; called once by startup().
    virtual void populate_sheets() = 0;
    // The handler takes ownership of added and inserted sheets.
    virtual void add_sheet(AbstractSheet* sheet) = 0;
    // Inserts sheet before the sheet before; a null or unknown before appends.
    virtual void insert_sheet(AbstractSheet* sheet, AbstractSheet* before) = 0;
    // Takes sheet out again; ownership returns to the caller.
    virtual void remove_sheet(AbstractSheet* sheet) = 0;
    virtual bool is_modal() const = 0;

private:
    Q_DISABLE_COPY(AbstractSheetHandler)
};

} // namespace brkBase

#endif // BRKBASE_ABSTRACTSHEETHANDLER_H
