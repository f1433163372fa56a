#include "AxisTicks.h"

#include <QLocale>

#include <cmath>

namespace quarro {
namespace app {
namespace axis_ticks {

double nice_step(double rough) {
    if (!(rough > 0.0) || !std::isfinite(rough)) {
        return 1.0;
    }
    double const power = std::pow(10.0, std::floor(std::log10(rough)));
    for (double const factor : {1.0, 2.0, 5.0, 10.0}) {
        if (factor * power >= rough) {
            return factor * power;
        }
    }
    return 10.0 * power;
}

std::vector<double> ticks(double low, double high, double step, int max_ticks) {
    std::vector<double> result;
    if (!std::isfinite(low) || !std::isfinite(high) || !(step > 0.0) || high < low) {
        return result;
    }
    double const first = std::ceil(low / step);
    double const last = std::floor(high / step);
    if (!std::isfinite(first) || !std::isfinite(last) || last - first + 1 > max_ticks) {
        return result;
    }
    for (double n = first; n <= last; n += 1.0) {
        result.push_back(n * step);
    }
    return result;
}

QString label(double value) {
    if (std::abs(value) < 1e-12) {
        value = 0.0;
    }
    if (std::abs(value) >= 1e7 || (value != 0.0 && std::abs(value) < 1e-3)) {
        return QLocale().toString(value, 'g', 4);
    }
    QString text = QLocale().toString(value, 'f', 3);
    QChar const point = QLocale().decimalPoint();
    if (text.contains(point)) {
        while (text.endsWith(QLatin1Char('0'))) {
            text.chop(1);
        }
        if (text.endsWith(point)) {
            text.chop(1);
        }
    }
    return text;
}

} // namespace axis_ticks
} // namespace app
} // namespace quarro
