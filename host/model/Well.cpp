#include "model/Well.h"

#include "model/ModelChecks.h"

#include <QSet>

#include <algorithm>
#include <cmath>

namespace quarro {
namespace model {

namespace {

// Throws unless `curve` can join curves whose mnemonics are `taken`, all `sampleCount` long.
void checkCurve(WellCurve const& curve, std::size_t sampleCount, QSet<QString> const& taken) {
    if (curve.mnemonic.isEmpty()) {
        detail::throwInvalidArgument(QStringLiteral("a well curve needs a mnemonic"));
    }
    if (taken.contains(curve.mnemonic)) {
        detail::throwInvalidArgument(
            QStringLiteral("the well already has a curve \"%1\"").arg(curve.mnemonic));
    }
    detail::requireCount(QStringLiteral("curve \"%1\"").arg(curve.mnemonic), curve.samples.size(),
                         sampleCount);
}

} // namespace

ObjectKind Well::kind() const {
    return ObjectKind::Well;
}

BoundingBox Well::boundingBox() const {
    if (!m_reference.hasLocation()) {
        return BoundingBox();
    }
    // An unknown (or unusable) elevation puts the datum at the map's zero.
    double const elevation = m_reference.elevation.value_or(0.0);
    double const datum = std::isfinite(elevation) ? elevation : 0.0;
    ValueRange const depths = depthRange();
    if (depths.isEmpty()) {
        Point3<double> const top(m_reference.x, m_reference.y, datum);
        return BoundingBox(top, top);
    }
    return BoundingBox(Point3<double>(m_reference.x, m_reference.y, datum - depths.min()),
                       Point3<double>(m_reference.x, m_reference.y, datum - depths.max()));
}

quint64 Well::sizeHint() const {
    return sampleCount();
}

std::unique_ptr<GeoObject> Well::clone() const {
    return std::make_unique<Well>(*this);
}

void Well::setHeaderItem(WellHeaderItem const& item) {
    for (WellHeaderItem& existing : m_header) {
        if (existing.mnemonic == item.mnemonic) {
            existing = item;
            return;
        }
    }
    m_header.append(item);
}

WellHeaderItem const* Well::headerItem(QString const& mnemonic) const {
    for (WellHeaderItem const& item : m_header) {
        if (item.mnemonic == mnemonic) {
            return &item;
        }
    }
    return nullptr;
}

void Well::setCurves(WellCurve index, std::vector<WellCurve> curves) {
    if (index.mnemonic.isEmpty()) {
        detail::throwInvalidArgument(QStringLiteral("the index curve of a well needs a mnemonic"));
    }
    QSet<QString> taken{index.mnemonic};
    for (WellCurve const& curve : curves) {
        checkCurve(curve, index.samples.size(), taken);
        taken.insert(curve.mnemonic);
    }
    m_index = std::move(index);
    m_curves = std::move(curves);
}

void Well::addCurve(WellCurve curve) {
    if (m_index.mnemonic.isEmpty()) {
        detail::throwInvalidArgument(
            QStringLiteral("curve \"%1\" needs an index curve first").arg(curve.mnemonic));
    }
    QSet<QString> taken{m_index.mnemonic};
    for (WellCurve const& existing : m_curves) {
        taken.insert(existing.mnemonic);
    }
    checkCurve(curve, sampleCount(), taken);
    m_curves.push_back(std::move(curve));
}

WellCurve const* Well::curve(QString const& mnemonic) const {
    if (mnemonic.isEmpty()) {
        return nullptr;
    }
    if (m_index.mnemonic == mnemonic) {
        return &m_index;
    }
    auto it = std::find_if(m_curves.begin(), m_curves.end(), [&mnemonic](WellCurve const& curve) {
        return curve.mnemonic == mnemonic;
    });
    return it == m_curves.end() ? nullptr : &*it;
}

ValueRange Well::depthRange() const {
    return ValueRange::of(m_index.samples);
}

} // namespace model
} // namespace quarro
