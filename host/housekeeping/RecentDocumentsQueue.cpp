#include "housekeeping/RecentDocumentsQueue.h"

#include "housekeeping/AbstractDataInformation.h"
#include "housekeeping/AbstractDataInformationFactory.h"
#include "housekeeping/DataSource.h"

#include <QSettings>
#include <QString>

#include <algorithm>
#include <utility>

namespace quarro {
namespace housekeeping {

namespace {
QString const group_name = QStringLiteral("recent_documents");
QString const array_name = QStringLiteral("entries");
QString const url_key = QStringLiteral("url");
QString const key_key = QStringLiteral("key");
QString const complete_key = QStringLiteral("complete");
} // namespace

RecentDocumentsQueue& RecentDocumentsQueue::instance() {
    static RecentDocumentsQueue queue;
    return queue;
}

void RecentDocumentsQueue::load() {
    m_entries.clear();
    QSettings settings;
    settings.beginGroup(group_name);
    int const count = settings.beginReadArray(array_name);
    for (int i = 0; i < count; ++i) {
        settings.setArrayIndex(i);
        std::string const url = settings.value(url_key).toString().toStdString();
        if (url.empty()) {
            continue;
        }
        boost::shared_ptr<AbstractDataInformation> const information =
            AbstractDataInformationFactory::create(
                settings.value(key_key).toString().toStdString());
        information->set_complete(settings.value(complete_key, false).toBool());
        append(boost::shared_ptr<DataSource>(new DataSource(url, information)));
    }
    settings.endArray();
    settings.endGroup();
}

void RecentDocumentsQueue::save() const {
    QSettings settings;
    settings.remove(group_name);
    settings.beginGroup(group_name);
    settings.beginWriteArray(array_name, static_cast<int>(m_entries.size()));
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        boost::shared_ptr<DataSource> const& source = m_entries[i];
        boost::shared_ptr<AbstractDataInformation> const information = source->data_information();
        settings.setArrayIndex(static_cast<int>(i));
        settings.setValue(url_key, QString::fromStdString(source->url()));
        settings.setValue(key_key, QString::fromStdString(source->key()));
        settings.setValue(complete_key, information && information->is_complete());
    }
    settings.endArray();
    settings.endGroup();
}

boost::shared_ptr<DataSource> RecentDocumentsQueue::at(std::size_t index) const {
    return index < m_entries.size() ? m_entries[index] : boost::shared_ptr<DataSource>();
}

void RecentDocumentsQueue::add(boost::shared_ptr<DataSource> source) {
    if (!source || source->url().empty()) {
        return;
    }
    append(std::move(source));
    save();
}

void RecentDocumentsQueue::clear() {
    m_entries.clear();
    save();
}

void RecentDocumentsQueue::append(boost::shared_ptr<DataSource> source) {
    std::string const url = source->url();
    m_entries.erase(std::remove_if(m_entries.begin(), m_entries.end(),
                                   [&url](boost::shared_ptr<DataSource> const& entry) {
                                       return entry->url() == url;
                                   }),
                    m_entries.end());
    m_entries.push_back(std::move(source));
    while (m_entries.size() > max_size()) {
        m_entries.pop_front();
    }
}

} // namespace housekeeping
} // namespace quarro
