#ifndef QUARRO_TESTS_READER_DXF_DXFTESTSUPPORT_H
#define QUARRO_TESTS_READER_DXF_DXFTESTSUPPORT_H

#include "ReaderTestFixture.h"

#include <algorithm>
#include <string>

namespace quarro {
namespace test {

// Group code / value pairs as a DXF writer puts them, LF line ends:
// "0|LINE|8|Faults" stands for the four lines 0, LINE, 8 and Faults.
inline std::string dxfPairs(std::string pairs) {
    std::replace(pairs.begin(), pairs.end(), '|', '\n');
    return pairs + "\n";
}

// A complete file around some ENTITIES.
inline std::string dxfWithEntities(std::string const& entities) {
    return "0\nSECTION\n2\nENTITIES\n" + entities + "0\nENDSEC\n0\nEOF\n";
}

} // namespace test
} // namespace quarro

#endif // QUARRO_TESTS_READER_DXF_DXFTESTSUPPORT_H
