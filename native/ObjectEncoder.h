#ifndef QUARRO_NATIVE_OBJECTENCODER_H
#define QUARRO_NATIVE_OBJECTENCODER_H

#include <QJsonObject>

namespace quarro {
namespace model {
class GeoObject;
}

namespace native {

class JsonBlobs;

// Writes one geological object as the JSON object the native format describes for its kind.
class ObjectEncoder {
public:
    // The text of large arrays goes to `blobs`, which refers to the object's own values: the
    // object must stay as it is until `blobs` has written them. Throws FormatError when the
    // object is of no kind the format knows (or not of the class its kind names), and
    // std::bad_alloc when memory runs out.
    static QJsonObject encode(model::GeoObject const& object, JsonBlobs& blobs);

private:
    ObjectEncoder() = delete;
};

} // namespace native
} // namespace quarro

#endif // QUARRO_NATIVE_OBJECTENCODER_H
