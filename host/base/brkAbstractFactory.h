#ifndef BRKBASE_BRKABSTRACTFACTORY_H
#define BRKBASE_BRKABSTRACTFACTORY_H

#include "QuarroHostExport.h"

namespace brkBase {

// Common root of the product factories. It carries no behaviour: it exists so that every factory
// family shares one exported polymorphic base whose type information lives in the host library.
class QUARRO_HOST_EXPORT brkAbstractFactory {
public:
    virtual ~brkAbstractFactory();

protected:
    brkAbstractFactory();
    brkAbstractFactory(brkAbstractFactory const& other);
    brkAbstractFactory& operator=(brkAbstractFactory const& other);
};

} // namespace brkBase

#endif // BRKBASE_BRKABSTRACTFACTORY_H
