#ifndef QUARRO_HOUSEKEEPING_RECENTDOCUMENTSQUEUE_H
#define QUARRO_HOUSEKEEPING_RECENTDOCUMENTSQUEUE_H

#include "QuarroHostExport.h"

#include <QtGlobal>

#include <boost/shared_ptr.hpp>

#include <cstddef>
#include <deque>

namespace quarro {
namespace housekeeping {

class DataSource;

// The recently used documents, oldest first: the LAST entry is the most recent. Kept in the
// application's settings, group "recent_documents" (URL, importer key and the completeness of the
// data information of each entry). GUI thread only.
class QUARRO_HOST_EXPORT RecentDocumentsQueue {
public:
    static RecentDocumentsQueue& instance();

    static constexpr std::size_t max_size() { return 20; }

    // Replaces the list with the one in the settings (entries without a URL, repeated URLs and
    // anything beyond max_size() are dropped).
    void load();
    void save() const;

    std::size_t size() const { return m_entries.size(); }
    // Entry index (0 is the oldest); null for a bad index.
    boost::shared_ptr<DataSource> at(std::size_t index) const;

    // Appends source as the most recent entry, drops an older entry with the same URL and the
    // oldest entries beyond max_size(), and saves. A source without a URL is ignored.
    void add(boost::shared_ptr<DataSource> source);

    // Empties the list, in the settings too.
    void clear();

private:
    RecentDocumentsQueue() = default;
    Q_DISABLE_COPY(RecentDocumentsQueue)

    void append(boost::shared_ptr<DataSource> source);

    std::deque<boost::shared_ptr<DataSource>> m_entries;
};

} // namespace housekeeping
} // namespace quarro

#endif // QUARRO_HOUSEKEEPING_RECENTDOCUMENTSQUEUE_H
