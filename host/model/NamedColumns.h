#ifndef QUARRO_MODEL_NAMEDCOLUMNS_H
#define QUARRO_MODEL_NAMEDCOLUMNS_H

#include "QuarroHostExport.h"

#include <QString>
#include <QStringList>

#include <cstddef>
#include <utility>
#include <vector>

namespace quarro {
namespace model {

// Named columns of numbers that all have one value per row of their owner: the attributes of a
// point set (a row per point), the properties of a grid (a row per cell). Columns keep the
// order in which they were first set. NaN stands for "no value".
class QUARRO_HOST_EXPORT NamedColumns {
public:
    using Column = std::pair<QString, std::vector<double>>;

    // `columnNoun` names a column in error messages ("property", "attribute").
    explicit NamedColumns(QString const& columnNoun);

    std::size_t rowCount() const { return m_rowCount; }
    // Drops every column and sets the number of rows that new columns must have.
    void reset(std::size_t rowCount);

    bool isEmpty() const { return m_columns.empty(); }
    int columnCount() const { return static_cast<int>(m_columns.size()); }
    QStringList names() const;
    std::vector<Column> const& columns() const { return m_columns; }

    // The column's values, or nullptr when there is no column of that name.
    std::vector<double> const* column(QString const& name) const;
    // Replaces the column of that name or appends a new one. Throws std::invalid_argument (and
    // changes nothing) when the name is empty or the number of values is not rowCount().
    void setColumn(QString const& name, std::vector<double> values);
    bool removeColumn(QString const& name);

    // Adds a row: every column grows by `value`.
    void appendRow(double value);

private:
    QString m_columnNoun;
    std::size_t m_rowCount = 0;
    std::vector<Column> m_columns;
};

} // namespace model
} // namespace quarro

#endif // QUARRO_MODEL_NAMEDCOLUMNS_H
