#ifndef QUARRO_MODEL_WELLHEADERITEM_H
#define QUARRO_MODEL_WELLHEADERITEM_H

#include <QString>

namespace quarro {
namespace model {

// One header value of a well (company, field, UWI, a parameter), kept as text as the file gave it.
struct WellHeaderItem {
    QString mnemonic;
    QString unit;
    QString value;
    QString description;
};

} // namespace model
} // namespace quarro

#endif // QUARRO_MODEL_WELLHEADERITEM_H
