#ifndef QUARRO_READERS_GRDECL_GRDECLGRIDBUILDER_H
#define QUARRO_READERS_GRDECL_GRDECLGRIDBUILDER_H

#include "GrdeclDeck.h"
#include "GrdeclModel.h"
#include "model/CornerPointGrid.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace quarro {
namespace readers {

// Turns a parsed GRDECL deck into a CornerPointGrid and its description in the model records.
//
// The grid fails, naming the line, without a size (SPECGRID or DIMENS), without COORD or ZCORN,
// when COORD, ZCORN or ACTNUM does not hold one value for each pillar coordinate, corner or cell,
// when the file ends inside a keyword before its values are complete (a file cut short), and for
// radial or multi-reservoir grids. A property whose count does not fit the grid (or its BOX) is
// left out with a comment; numeric keywords too short for a property are listed as not read.
class GrdeclGridBuilder {
public:
    struct Result {
        bool ok = false;
        QString error;
        std::unique_ptr<model::CornerPointGrid> grid;
        GrdeclModel model;
        // The deck's comments followed by those of the build.
        QStringList comments;
        // Keywords not read, as the deck lists them and completed by the build.
        QStringList skippedKeywords;
        // Fault names from FAULTS.
        QStringList faults;
    };

    explicit GrdeclGridBuilder(GrdeclDeck deck);
    ~GrdeclGridBuilder();

    // `name` names the grid object; `sourcePath` is the file read.
    Result build(QString const& name, QString const& sourcePath);

private:
    Q_DISABLE_COPY(GrdeclGridBuilder)

    bool fail(QString const& error);
    bool checkDimensions();
    bool checkGridArray(std::optional<GrdeclArray> const& array, char const* keyword,
                        std::uint64_t expected, QString const& needs);
    bool makeGeometry();
    bool applyCellArrays();
    void describeProperties(QString const& sourcePath);
    void findRegions();
    void applyMapAxes();
    void findSplitNodes();
    void describeModel(QString const& name, QString const& sourcePath);
    void describeRefinements();
    void notClosedComment(GrdeclArray const& array);
    QString gridSize() const;

    GrdeclDeck m_deck;
    Result m_result;
    std::size_t m_ni = 0;
    std::size_t m_nj = 0;
    std::size_t m_nk = 0;
    std::size_t m_cells = 0;

    // Properties in order of first appearance, values in cell order, NaN for "no value".
    struct Property {
        std::string keyword;
        QString sourcePath;
        std::vector<double> values;
    };
    std::vector<Property> m_properties;
    std::unordered_map<std::string, std::size_t> m_propertyIndex;
};

} // namespace readers
} // namespace quarro

#endif // QUARRO_READERS_GRDECL_GRDECLGRIDBUILDER_H
