#include "FormatError.h"

namespace quarro {
namespace native {

FormatError::FormatError(QString const& path, QString const& problem)
    : std::runtime_error(
          (path.isEmpty() ? problem : path + QStringLiteral(": ") + problem).toStdString())
    , m_path(path)
    , m_problem(problem) {}

FormatError::~FormatError() = default;

} // namespace native
} // namespace quarro
