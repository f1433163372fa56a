#ifndef QUARRO_HOUSEKEEPING_QUICKHELPSECTION_H
#define QUARRO_HOUSEKEEPING_QUICKHELPSECTION_H

namespace quarro {
namespace housekeeping {

// The sections of the quick-help panel. The numbers travel between libraries: never renumber.
enum QuickHelpSection {
    QuickHelpGeneral = 0,
    QuickHelpView = 1,
    QuickHelpNavigation = 2,
    QuickHelpSelection = 3,
    QuickHelpEdit = 4,
    QuickHelpTools = 5,
    QuickHelpWindow = 6,
    QuickHelpFile = 7,
    QuickHelpHelp = 8
};

} // namespace housekeeping
} // namespace quarro

#endif // QUARRO_HOUSEKEEPING_QUICKHELPSECTION_H
