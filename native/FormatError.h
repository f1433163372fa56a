#ifndef QUARRO_NATIVE_FORMATERROR_H
#define QUARRO_NATIVE_FORMATERROR_H

#include <QString>

#include <stdexcept>

namespace quarro {
namespace native {

// A native document that does not hold what the format says (or an object the writer cannot
// put into one): the field where it broke, as a JSON path relative to the object at hand
// ("curves[1].samples[17]", empty for the object itself), and what is wrong there. Thrown and
// caught inside the reader and the writer; it never leaves them.
class FormatError : public std::runtime_error {
public:
    FormatError(QString const& path, QString const& problem);
    ~FormatError() override;

    QString const& path() const { return m_path; }
    QString const& problem() const { return m_problem; }

private:
    QString m_path;
    QString m_problem;
};

} // namespace native
} // namespace quarro

#endif // QUARRO_NATIVE_FORMATERROR_H
