#include "JsonSkeleton.h"

#include "Base64.h"
#include "ReadMonitor.h"

#include <QRandomGenerator>

#include <algorithm>
#include <cstring>

namespace quarro {
namespace native {

namespace {

// The closing quote of the string that starts at `begin`, or `end` when there is none. A quote
// preceded by an odd number of backslashes is part of the string.
char const* closingQuote(char const* begin, char const* end) {
    char const* at = begin;
    for (;;) {
        auto const* quote = static_cast<char const*>(std::memchr(at, '"', end - at));
        if (quote == nullptr) {
            return end;
        }
        char const* slash = quote;
        while (slash > begin && slash[-1] == '\\') {
            --slash;
        }
        if ((quote - slash) % 2 == 0) {
            return quote;
        }
        at = quote + 1;
    }
}

} // namespace

JsonSkeleton::JsonSkeleton(char const* json, qint64 size, ReadMonitor& monitor)
    // A random prefix: no string of the file can be mistaken for a placeholder.
    : m_prefix("qro-skeleton-" + QByteArray::number(QRandomGenerator::global()->generate64(), 16) +
               "-") {
    char const* const end = json + size;
    char const* copied = json;
    char const* at = json;
    qint64 shift = 0;
    for (;;) {
        auto const* open = static_cast<char const*>(std::memchr(at, '"', end - at));
        if (open == nullptr) {
            break;
        }
        char const* const begin = open + 1;
        char const* const close = closingQuote(begin, end);
        if (close == end) {
            break; // an unterminated string: Qt will say where
        }
        qint64 const length = close - begin;
        if (length >= minimumLength && Base64::isBase64Text(begin, length)) {
            m_text.append(copied, static_cast<int>(begin - copied));
            QByteArray const placeholder =
                m_prefix + QByteArray::number(static_cast<qulonglong>(m_taken.size()));
            m_text.append(placeholder);
            shift += length - placeholder.size();
            m_taken.push_back(Taken{begin, length, m_text.size(), shift});
            copied = close;
            monitor.advance(static_cast<double>(length));
        }
        at = close + 1;
    }
    m_text.append(copied, static_cast<int>(end - copied));
}

bool JsonSkeleton::resolve(QString const& value, char const*& data, qint64& length) const {
    if (m_taken.empty() || !value.startsWith(QLatin1String(m_prefix))) {
        return false;
    }
    bool ok = false;
    qulonglong const index = value.midRef(m_prefix.size()).toULongLong(&ok);
    if (!ok || index >= m_taken.size()) {
        return false;
    }
    data = m_taken[index].data;
    length = m_taken[index].length;
    return true;
}

qint64 JsonSkeleton::originalOffset(qint64 offset) const {
    auto const after = std::upper_bound(
        m_taken.begin(), m_taken.end(), offset,
        [](qint64 position, Taken const& taken) { return position < taken.skeletonEnd; });
    return after == m_taken.begin() ? offset : offset + std::prev(after)->shift;
}

} // namespace native
} // namespace quarro
