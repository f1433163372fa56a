// Feeds arbitrary bytes to the native document reader, as a whole document and as the head that
// verification looks at. Everything must return (read, fail or cancel) without crashing, hanging
// or leaking; a failure must say why and leave nothing; and what the reader accepts, the writer
// must save so that it reads back and saves to the same bytes again.
#include "DocumentReader.h"
#include "DocumentWriter.h"
#include "importwidgets/CancelHook.h"
#include "model/GeoObject.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

namespace {

// Progress must stay within 0..100 and never go back.
struct ProgressCheck {
    double last = 0.0;

    static bool isCancelled(void*) { return false; }
    static void progress(void* user, double percent) {
        auto* self = static_cast<ProgressCheck*>(user);
        if (!(percent >= self->last && percent <= 100.0)) {
            __builtin_trap();
        }
        self->last = percent;
    }
};

using quarro::native::DocumentReader;
using quarro::native::DocumentWriter;

DocumentWriter::Objects share(DocumentReader& reader) {
    DocumentWriter::Objects objects;
    for (auto& object : reader.takeObjects()) {
        objects.emplace_back(object.release());
    }
    return objects;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size) {
    QByteArray const bytes =
        QByteArray::fromRawData(reinterpret_cast<char const*>(data), static_cast<int>(size));
    QString why;
    DocumentReader::looksLikeNativeDocument(bytes.left(1024), why);

    ProgressCheck check;
    CancelHook const hook(&ProgressCheck::isCancelled, &ProgressCheck::progress, &check);
    DocumentReader reader(&hook);
    if (reader.read(bytes) != DocumentReader::Status::Ok) {
        if (reader.errorString().isEmpty() || !reader.objects().empty() ||
            !reader.journal().empty()) {
            __builtin_trap(); // a failure says why and leaves nothing
        }
        return 0;
    }

    DocumentWriter writer;
    std::string const journal = reader.journal();
    QByteArray const saved = writer.encode(share(reader), journal, size % 2 == 0);
    if (saved.isEmpty()) {
        __builtin_trap(); // what was read can be saved
    }
    DocumentReader again;
    if (again.read(saved) != DocumentReader::Status::Ok || again.journal() != journal) {
        __builtin_trap();
    }
    if (writer.encode(share(again), journal, size % 2 == 0) != saved) {
        __builtin_trap(); // and reads back as it was
    }
    return 0;
}
