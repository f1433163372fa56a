#include "base/brkAbstractFactory.h"

namespace brkBase {

brkAbstractFactory::brkAbstractFactory() = default;

brkAbstractFactory::brkAbstractFactory(brkAbstractFactory const&) = default;

brkAbstractFactory& brkAbstractFactory::operator=(brkAbstractFactory const&) = default;

// Defined here so that the vtable and type information exist once, in the host library.
brkAbstractFactory::~brkAbstractFactory() = default;

} // namespace brkBase
