#include "TiffSamples.h"

#include <QIODevice>

#include <cstdint>

namespace quarro {
namespace readers {

namespace {

enum Tag : std::uint16_t { BitsPerSample = 258, SamplesPerPixel = 277, SampleFormat = 339 };
enum Type : std::uint16_t { Short = 3, Long = 4 };

// Reads little- or big-endian unsigned integers at absolute positions of the device.
class TiffInput {
public:
    TiffInput(QIODevice& device, bool bigEndian)
        : m_device(device)
        , m_bigEndian(bigEndian) {}

    std::optional<std::uint64_t> at(std::uint64_t offset, int bytes) {
        unsigned char buffer[8];
        if (!m_device.seek(static_cast<qint64>(offset)) ||
            m_device.read(reinterpret_cast<char*>(buffer), bytes) != bytes) {
            return std::nullopt;
        }
        std::uint64_t value = 0;
        for (int i = 0; i < bytes; ++i) {
            int const index = m_bigEndian ? i : bytes - 1 - i;
            value = (value << 8) | buffer[index];
        }
        return value;
    }

private:
    QIODevice& m_device;
    bool m_bigEndian;
};

} // namespace

std::optional<TiffSamples> TiffSamples::read(QIODevice& device) {
    if (!device.isOpen() || device.isSequential() || !device.seek(0)) {
        return std::nullopt;
    }
    QByteArray const order = device.peek(2);
    if (order != "II" && order != "MM") {
        return std::nullopt;
    }
    TiffInput input(device, order == "MM");
    std::optional<std::uint64_t> const version = input.at(2, 2);
    if (!version || (*version != 42 && *version != 43)) {
        return std::nullopt;
    }
    // A big TIFF counts and places with 8 bytes where a classic one uses 2 or 4.
    bool const big = *version == 43;
    int const offsetBytes = big ? 8 : 4;
    int const countBytes = big ? 8 : 2;
    int const entryBytes = big ? 20 : 12;
    std::optional<std::uint64_t> const directory = input.at(big ? 8 : 4, offsetBytes);
    std::optional<std::uint64_t> const entries =
        directory ? input.at(*directory, countBytes) : std::nullopt;
    if (!entries || *entries > 4096) {
        return std::nullopt;
    }

    TiffSamples samples;
    for (std::uint64_t i = 0; i < *entries; ++i) {
        std::uint64_t const entry = *directory + static_cast<std::uint64_t>(countBytes) +
                                    i * static_cast<std::uint64_t>(entryBytes);
        std::optional<std::uint64_t> const tag = input.at(entry, 2);
        std::optional<std::uint64_t> const type = input.at(entry + 2, 2);
        std::optional<std::uint64_t> const count = input.at(entry + 4, offsetBytes);
        if (!tag || !type || !count) {
            return std::nullopt;
        }
        if (*tag != BitsPerSample && *tag != SamplesPerPixel && *tag != SampleFormat) {
            continue;
        }
        int const size = *type == Short ? 2 : *type == Long ? 4 : 0;
        if (size == 0 || *count == 0) {
            continue;
        }
        // The first value: in the entry when all of them fit there, else where the entry points.
        std::uint64_t const valueField = entry + 4 + static_cast<std::uint64_t>(offsetBytes);
        std::optional<std::uint64_t> place = valueField;
        if (*count * static_cast<std::uint64_t>(size) > static_cast<std::uint64_t>(offsetBytes)) {
            place = input.at(valueField, offsetBytes);
        }
        std::optional<std::uint64_t> const value = place ? input.at(*place, size) : std::nullopt;
        if (!value) {
            return std::nullopt;
        }
        int const number = static_cast<int>(*value);
        if (*tag == BitsPerSample) {
            samples.bitsPerSample = number;
        } else if (*tag == SamplesPerPixel) {
            samples.samplesPerPixel = number;
        } else {
            samples.sampleFormat = number;
        }
    }
    return samples;
}

bool TiffSamples::holdsNumbers() const {
    return sampleFormat == 2 || sampleFormat == 3 || (samplesPerPixel == 1 && bitsPerSample > 8);
}

QString TiffSamples::describe() const {
    QString const kind = sampleFormat == 3   ? QStringLiteral("floating-point")
                         : sampleFormat == 2 ? QStringLiteral("signed integer")
                                             : QStringLiteral("unsigned integer");
    return QStringLiteral("%1-bit %2 samples").arg(bitsPerSample).arg(kind);
}

} // namespace readers
} // namespace quarro
