#ifndef QUARRO_MODEL_WELL_H
#define QUARRO_MODEL_WELL_H

#include "QuarroHostExport.h"
#include "model/DepthReference.h"
#include "model/GeoObject.h"
#include "model/ValueRange.h"
#include "model/WellCurve.h"
#include "model/WellHeaderItem.h"

#include <QList>
#include <QString>

#include <cmath>
#include <cstddef>
#include <limits>
#include <memory>
#include <vector>

namespace quarro {
namespace model {

// A well with its header and its log curves. Every curve has one sample per value of the index
// curve (the depth); a missing sample, or a depth missing from the index, is "no value": a quiet
// NaN, whatever NULL value the file used.
//
// Setters that would break the alignment of the curves throw std::invalid_argument and leave
// the well as it was.
class QUARRO_HOST_EXPORT Well : public GeoObject {
public:
    Well() = default;

    ObjectKind kind() const override;
    // A vertical line below the surface location over the depth range: z is the datum's
    // elevation (0 when unknown) minus the depth. Empty when the well has no location.
    BoundingBox boundingBox() const override;
    // The number of depth samples.
    quint64 sizeHint() const override;
    std::unique_ptr<GeoObject> clone() const override;

    static double noValue() { return std::numeric_limits<double>::quiet_NaN(); }
    static bool isNoValue(double value) { return std::isnan(value); }

    // Header values in file order.
    QList<WellHeaderItem> const& headerItems() const { return m_header; }
    // Replaces the item with the same mnemonic, or appends it.
    void setHeaderItem(WellHeaderItem const& item);
    // The item with that mnemonic, or nullptr.
    WellHeaderItem const* headerItem(QString const& mnemonic) const;

    DepthReference const& depthReference() const { return m_reference; }
    void setDepthReference(DepthReference const& reference) { m_reference = reference; }

    // The depth curve the samples of every other curve align with.
    WellCurve const& indexCurve() const { return m_index; }
    // The log curves, without the index.
    std::vector<WellCurve> const& curves() const { return m_curves; }

    // Replaces the index and all curves at once, as a reader has them after reading the data.
    // Throws when a mnemonic is empty or repeated, or a curve's length differs from the index's.
    void setCurves(WellCurve index, std::vector<WellCurve> curves);
    // Adds one more log curve; the same rules apply.
    void addCurve(WellCurve curve);

    // The curve with that mnemonic (the index included), or nullptr. Mnemonics are compared
    // exactly; a reader that meets a repeated mnemonic renames the copies ("GR:1", "GR:2").
    WellCurve const* curve(QString const& mnemonic) const;

    // The number of log curves, without the index.
    int curveCount() const { return static_cast<int>(m_curves.size()); }
    // The number of samples of every curve.
    std::size_t sampleCount() const { return m_index.samples.size(); }
    // The smallest and largest depth of the index, "no value" ignored.
    ValueRange depthRange() const;

private:
    QList<WellHeaderItem> m_header;
    DepthReference m_reference;
    WellCurve m_index;
    std::vector<WellCurve> m_curves;
};

} // namespace model
} // namespace quarro

#endif // QUARRO_MODEL_WELL_H
