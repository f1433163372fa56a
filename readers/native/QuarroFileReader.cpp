#include "QuarroFileReader.h"

namespace quarro {
namespace native {

QuarroFileReader::QuarroFileReader() = default;

QuarroFileReader::~QuarroFileReader() = default;

std::string QuarroFileReader::file_filter() {
    return "Check: Quarro documents (*.quarro *.qrod)";
}

std::vector<std::string> QuarroFileReader::supported_extentions() const {
    return {"quarro", "qrod"};
}

} // namespace native
} // namespace quarro
