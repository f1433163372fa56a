#include "housekeeping/DataSource.h"

#include "housekeeping/AbstractDataInformation.h"

#include <utility>

namespace quarro {
namespace housekeeping {

DataSource::DataSource(std::string const& url,
                       boost::shared_ptr<AbstractDataInformation> information)
    : m_urls{url}
    , m_information(std::move(information)) {}

DataSource::DataSource(utilities::UrlList const& urls,
                       boost::shared_ptr<AbstractDataInformation> information)
    : m_urls(urls)
    , m_information(std::move(information)) {}

std::string DataSource::url() const {
    return m_urls.empty() ? std::string() : m_urls.front();
}

std::string DataSource::key() const {
    return m_information ? m_information->key() : std::string();
}

} // namespace housekeeping
} // namespace quarro
