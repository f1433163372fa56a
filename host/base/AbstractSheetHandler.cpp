#include "base/AbstractSheetHandler.h"

namespace brkBase {

AbstractSheetHandler::AbstractSheetHandler() = default;

// Defined here so that the vtable and type information exist once, in the host library.
AbstractSheetHandler::~AbstractSheetHandler() = default;

} // namespace brkBase
