#ifndef QUARRO_IMPORT_PROPERTYDESCRIPTION_H
#define QUARRO_IMPORT_PROPERTYDESCRIPTION_H

#include "QuarroImportExport.h"

#include <cstdint>
#include <string>
#include <vector>

namespace quarro {
namespace import {

// One cell property of a grid (PORO, PERMX, NTG ...) with its values and summary figures. The
// library only carries the record; a default record has empty texts and lists and zero numbers.
struct QUARRO_IMPORT_EXPORT PropertyDescription {
    PropertyDescription();
    PropertyDescription(PropertyDescription const& p_other);
    PropertyDescription(PropertyDescription&& p_other) noexcept;
    PropertyDescription& operator=(PropertyDescription const& p_other);
    PropertyDescription& operator=(PropertyDescription&& p_other) noexcept;
    ~PropertyDescription();

    std::int32_t discrete = 0; // 1 when the values are integer codes (facies, regions), 0 real

    std::string keyword; // the keyword the values came under, e.g. "PORO"
    std::string name;    // the name shown to the user
    std::string unit;    // unit of the values, empty when dimensionless

    float min_value = 0;
    float max_value = 0;
    float mean = 0;
    float std_deviation = 0;
    float undefined_value = 0;        // the value that stands for "no value"
    std::int32_t value_count = 0;     // values read
    std::int32_t undefined_count = 0; // values equal to undefined_value
    std::int32_t lgr_number = 0;      // the local grid the values belong to, 0 the global grid

    std::string source_path; // the file the values were read from (an INCLUDE file, say)

    std::vector<float> values;
    // Linear cell index of each value when the values cover only some cells; empty when there is
    // one value per cell in linear cell order.
    std::vector<std::uint64_t> cell_indices;
};

} // namespace import
} // namespace quarro

#endif // QUARRO_IMPORT_PROPERTYDESCRIPTION_H
