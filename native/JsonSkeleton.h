#ifndef QUARRO_NATIVE_JSONSKELETON_H
#define QUARRO_NATIVE_JSONSKELETON_H

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <vector>

namespace quarro {
namespace native {

class ReadMonitor;

// The JSON text of a document with every long base64 string taken out, for Qt to parse: Qt would
// copy such a string several times over (UTF-8, UTF-16, Latin-1) before the reader could decode
// it. Each one is replaced by a short placeholder string that remembers where the text stands in
// the original bytes, from which it is decoded straight into its array.
//
// The original bytes must outlive the skeleton.
class JsonSkeleton {
public:
    // Strings of at least this many base64 characters are taken out.
    static constexpr qint64 minimumLength = 1024;

    // Advances `monitor` by the characters of each string it takes out.
    JsonSkeleton(char const* json, qint64 size, ReadMonitor& monitor);

    QByteArray const& text() const { return m_text; }

    // The original text behind a placeholder string: true, with `data` and `length` set, when
    // `value` is one.
    bool resolve(QString const& value, char const*& data, qint64& length) const;

    // The position in the original text of position `offset` of the skeleton, for messages.
    qint64 originalOffset(qint64 offset) const;

private:
    struct Taken {
        char const* data;
        qint64 length;
        qint64 skeletonEnd; // where the placeholder's text ends in the skeleton
        qint64 shift;       // original offset minus skeleton offset after it
    };

    QByteArray m_prefix; // "qro-skeleton-<random>-", unique to this read
    QByteArray m_text;
    std::vector<Taken> m_taken;
};

} // namespace native
} // namespace quarro

#endif // QUARRO_NATIVE_JSONSKELETON_H
