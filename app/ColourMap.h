#ifndef QUARRO_APP_COLOURMAP_H
#define QUARRO_APP_COLOURMAP_H

#include <QRgb>
#include <QString>

#include <vector>

namespace quarro {
namespace app {

// The map's colour scale: viridis, perceptually uniform and readable by colour-blind users and
// in grey, from dark blue (low) over green to yellow (high).
namespace colour_map {

// The colour at t in [0, 1] (clamped; NaN gives the low end).
QRgb viridis(double t);

} // namespace colour_map

// What a colour-coded object on the map shows: its title ("Heights", a grid property and layer)
// and the values at the low and high end of the colour scale.
struct ColourLegend {
    QString title;
    double low = 0.0;
    double high = 0.0;
    // False when there was no value to colour by; the legend then says so.
    bool valid = false;
};

} // namespace app
} // namespace quarro

#endif // QUARRO_APP_COLOURMAP_H
