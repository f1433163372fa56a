#include "QuarroFileReader.h"

namespace quarro {
namespace native {

QuarroFileReader::QuarroFileReader()
    : QroFileReader({"Quarro", "Check: Quarro documents", {"quarro", "qrod"}}) {}

QuarroFileReader::~QuarroFileReader() = default;

} // namespace native
} // namespace quarro
