#ifndef QUARRO_HOUSEKEEPING_DATASOURCE_H
#define QUARRO_HOUSEKEEPING_DATASOURCE_H

#include "QuarroHostExport.h"
#include "utilities/UrlUtilities.h"

#include <boost/shared_ptr.hpp>

#include <string>

namespace quarro {
namespace housekeeping {

class AbstractDataInformation;

// Where a document's data came from: one or more file URLs and the data information that tells
// how they were read (importer key, reader settings), plus the units and orientation of the data.
// Shared between the import wizard, the document and the commands.
class QUARRO_HOST_EXPORT DataSource {
public:
    // Length and time units of the data. The numbers are stored in files: never renumber.
    enum Units {
        Inches = 0,
        Metres = 1,
        Feet = 2,
        Miles = 3,
        Yards = 4,
        Kms = 5,
        Seconds = 6,
        Milliseconds = 7
    };
    // Which way Z grows. The numbers are stored in files: never renumber.
    enum Sign { ZPositiveDown = 64, ZPositiveUp = 128 };

    DataSource(std::string const& url, boost::shared_ptr<AbstractDataInformation> information);
    DataSource(utilities::UrlList const& urls,
               boost::shared_ptr<AbstractDataInformation> information);

    // The first URL; empty when there is none.
    std::string url() const;
    utilities::UrlList const& urls() const { return m_urls; }

    // The importer key of the data information; empty without one.
    std::string key() const;

    // The URL that names this source (the first one).
    std::string ds_key() const { return url(); }

    boost::shared_ptr<AbstractDataInformation> data_information() const { return m_information; }

    Units xy_units() const { return m_xy_units; }
    void set_xy_units(Units units) { m_xy_units = units; }
    Units z_units() const { return m_z_units; }
    void set_z_units(Units units) { m_z_units = units; }
    Sign sign() const { return m_sign; }
    void set_sign(Sign sign) { m_sign = sign; }

private:
    utilities::UrlList m_urls;
    boost::shared_ptr<AbstractDataInformation> m_information;
    Units m_xy_units = Metres;
    Units m_z_units = Metres;
    Sign m_sign = ZPositiveUp;
};

} // namespace housekeeping
} // namespace quarro

#endif // QUARRO_HOUSEKEEPING_DATASOURCE_H
