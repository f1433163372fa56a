#include "model/NamedColumns.h"

#include "model/ModelChecks.h"

#include <algorithm>

namespace quarro {
namespace model {

NamedColumns::NamedColumns(QString const& columnNoun)
    : m_columnNoun(columnNoun) {}

void NamedColumns::reset(std::size_t rowCount) {
    m_columns.clear();
    m_rowCount = rowCount;
}

QStringList NamedColumns::names() const {
    QStringList result;
    result.reserve(static_cast<int>(m_columns.size()));
    for (Column const& column : m_columns) {
        result.append(column.first);
    }
    return result;
}

std::vector<double> const* NamedColumns::column(QString const& name) const {
    auto it = std::find_if(m_columns.begin(), m_columns.end(),
                           [&name](Column const& column) { return column.first == name; });
    return it == m_columns.end() ? nullptr : &it->second;
}

void NamedColumns::setColumn(QString const& name, std::vector<double> values) {
    if (name.isEmpty()) {
        detail::throwInvalidArgument(QStringLiteral("a %1 needs a name").arg(m_columnNoun));
    }
    detail::requireCount(QStringLiteral("%1 \"%2\"").arg(m_columnNoun, name), values.size(),
                         m_rowCount);
    auto it = std::find_if(m_columns.begin(), m_columns.end(),
                           [&name](Column const& column) { return column.first == name; });
    if (it != m_columns.end()) {
        it->second = std::move(values);
        return;
    }
    m_columns.emplace_back(name, std::move(values));
}

bool NamedColumns::removeColumn(QString const& name) {
    auto it = std::find_if(m_columns.begin(), m_columns.end(),
                           [&name](Column const& column) { return column.first == name; });
    if (it == m_columns.end()) {
        return false;
    }
    m_columns.erase(it);
    return true;
}

void NamedColumns::appendRow(double value) {
    for (Column& column : m_columns) {
        column.second.push_back(value);
    }
    ++m_rowCount;
}

} // namespace model
} // namespace quarro
