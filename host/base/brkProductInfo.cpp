#include "base/brkProductInfo.h"

#include <utility>

#ifndef QUARRO_PRODUCT_VERSION
#define QUARRO_PRODUCT_VERSION "0.0.0"
#endif

namespace brkBase {

brkProductInfo& brkProductInfo::instance() {
    static brkProductInfo info;
    return info;
}

brkProductInfo::brkProductInfo()
    : m_product_name("Quarro")
    , m_version(QUARRO_PRODUCT_VERSION)
    , m_organisation_name("Brennick") {}

brkProductInfo::~brkProductInfo() = default;

void brkProductInfo::set_product_name(std::string name) {
    m_product_name = std::move(name);
}

void brkProductInfo::set_version(std::string version) {
    m_version = std::move(version);
}

void brkProductInfo::set_organisation_name(std::string name) {
    m_organisation_name = std::move(name);
}

} // namespace brkBase
