#ifndef QUARRO_APP_OBJECTPROPERTIES_H
#define QUARRO_APP_OBJECTPROPERTIES_H

#include <QCoreApplication>
#include <QString>

#include <vector>

namespace quarro {
namespace model {
class GeoObject;
}

namespace app {

// Everything an object holds, as sections of named values for the properties panel: what it is
// and the file it came from, then per kind its geometry and its data (a well's header items and
// curves, a grid's dimensions and cell properties, a surface's extent and heights, ...).
class ObjectProperties {
    Q_DECLARE_TR_FUNCTIONS(ObjectProperties)
public:
    struct Row {
        QString section;
        QString name;
        QString value;
        // Longer text for a tooltip (a header item's or a curve's description).
        QString detail;
    };

    static std::vector<Row> describe(model::GeoObject const& object);
    // The file the object was read from, as its reader noted it; empty when unknown.
    static QString source_file(model::GeoObject const& object);
    // How much data the object holds, saying what it counts ("121 samples", "1,000 cells").
    static QString size_text(model::GeoObject const& object);
    // "min – max, mean m" of the finite values, or "no values".
    static QString statistics(std::vector<double> const& values, bool with_mean);
};

} // namespace app
} // namespace quarro

#endif // QUARRO_APP_OBJECTPROPERTIES_H
