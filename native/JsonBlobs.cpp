#include "JsonBlobs.h"

#include "Base64.h"
#include "DocumentOutput.h"

#include <QRandomGenerator>

#include <algorithm>
#include <utility>

namespace quarro {
namespace native {

namespace {

// Bytes encoded per piece of output: 64 KiB of text.
constexpr qint64 encodeStep = 3 << 14;

} // namespace

JsonBlobs::JsonBlobs()
    // A random prefix: no string of the document can be mistaken for a placeholder.
    : m_prefix("qro-blob-" + QByteArray::number(QRandomGenerator::global()->generate64(), 16) +
               "-") {}

JsonBlobs::~JsonBlobs() = default;

QString JsonBlobs::placeholder(std::size_t index) const {
    return QString::fromLatin1(m_prefix + QByteArray::number(static_cast<qulonglong>(index)));
}

QString JsonBlobs::add(unsigned char const* data, qint64 size) {
    m_blobs.push_back(Blob{data, size, -1});
    return placeholder(m_blobs.size() - 1);
}

QString JsonBlobs::add(QByteArray bytes) {
    qint64 const size = bytes.size();
    m_owned.push_back(std::move(bytes));
    m_blobs.push_back(Blob{nullptr, size, static_cast<int>(m_owned.size() - 1)});
    return placeholder(m_blobs.size() - 1);
}

std::vector<JsonBlobs::Place> JsonBlobs::places(QByteArray const& skeleton, QString& error) const {
    std::vector<Place> found;
    std::vector<bool> seen(m_blobs.size(), false);
    QByteArray const marker = '"' + m_prefix;
    for (qint64 at = skeleton.indexOf(marker); at >= 0; at = skeleton.indexOf(marker, at + 1)) {
        qint64 const begin = at + 1;
        qint64 const end = skeleton.indexOf('"', begin);
        bool ok = false;
        qulonglong const index =
            skeleton.mid(begin + m_prefix.size(), end - begin - m_prefix.size()).toULongLong(&ok);
        if (!ok || index >= m_blobs.size() || seen[index]) {
            error = QStringLiteral("the writer lost track of its arrays");
            return {};
        }
        seen[index] = true;
        found.push_back(Place{begin, end, static_cast<std::size_t>(index)});
    }
    if (std::find(seen.begin(), seen.end(), false) != seen.end()) {
        error = QStringLiteral("the writer lost track of its arrays");
        return {};
    }
    return found;
}

bool JsonBlobs::write(QByteArray const& skeleton, QIODevice* device, bool compressed,
                      QString& error) const {
    std::vector<Place> const spots = places(skeleton, error);
    if (!error.isEmpty()) {
        return false;
    }
    qint64 length = skeleton.size();
    for (Place const& place : spots) {
        length += Base64::encodedSize(m_blobs[place.blob].size) - (place.end - place.begin);
    }

    DocumentOutput output(device, compressed, length);
    std::vector<char> text(static_cast<std::size_t>(Base64::encodedSize(encodeStep)));
    qint64 written = 0;
    for (Place const& place : spots) {
        if (!output.write(skeleton.constData() + written, place.begin - written)) {
            break;
        }
        Blob const& blob = m_blobs[place.blob];
        auto const* bytes = blob.owned >= 0
                                ? reinterpret_cast<unsigned char const*>(
                                      m_owned[static_cast<std::size_t>(blob.owned)].constData())
                                : blob.data;
        for (qint64 done = 0; done < blob.size; done += encodeStep) {
            qint64 const step = std::min(encodeStep, blob.size - done);
            Base64::encode(bytes + done, step, text.data());
            if (!output.write(text.data(), Base64::encodedSize(step))) {
                break;
            }
        }
        written = place.end;
    }
    if (output.write(skeleton.constData() + written, skeleton.size() - written) &&
        output.finish()) {
        return true;
    }
    error = output.error();
    return false;
}

} // namespace native
} // namespace quarro
