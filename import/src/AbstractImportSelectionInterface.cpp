#include "AbstractImportSelectionInterface.h"

namespace quarro {
namespace import {

AbstractImportSelectionInterface::~AbstractImportSelectionInterface() = default;

} // namespace import
} // namespace quarro
