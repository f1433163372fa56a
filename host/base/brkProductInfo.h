#ifndef BRKBASE_BRKPRODUCTINFO_H
#define BRKBASE_BRKPRODUCTINFO_H

#include "QuarroHostExport.h"

#include <QtGlobal>

#include <string>

namespace brkBase {

// Names of the running product, shown in window titles and message boxes. The application may
// rename the product (a rebranded build) at start-up; everything else only reads. Meant for the GUI
// thread: the setters are not synchronised with readers.
class QUARRO_HOST_EXPORT brkProductInfo {
public:
    static brkProductInfo& instance();

    std::string const& product_name() const { return m_product_name; }
    void set_product_name(std::string name);

    std::string const& version() const { return m_version; }
    void set_version(std::string version);

    std::string const& organisation_name() const { return m_organisation_name; }
    void set_organisation_name(std::string name);

private:
    brkProductInfo();
    ~brkProductInfo();
    Q_DISABLE_COPY(brkProductInfo)

    std::string m_product_name;
    std::string m_version;
    std::string m_organisation_name;
};

} // namespace brkBase

#endif // BRKBASE_BRKPRODUCTINFO_H
