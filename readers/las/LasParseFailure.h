#ifndef QUARRO_READERS_LAS_LASPARSEFAILURE_H
#define QUARRO_READERS_LAS_LASPARSEFAILURE_H

#include <QString>

namespace quarro {
namespace readers {

// Thrown inside the LAS parser for a fault that stops the reading; LasParser::parse() turns it
// into a failed result that names the line.
struct LasParseFailure {
    int line;
    QString text;
};

} // namespace readers
} // namespace quarro

#endif // QUARRO_READERS_LAS_LASPARSEFAILURE_H
