#ifndef QUARRO_NATIVE_OBJECTDECODER_H
#define QUARRO_NATIVE_OBJECTDECODER_H

#include <memory>

namespace quarro {
namespace model {
class GeoObject;
}

namespace native {

class JsonCursor;

// Builds one geological object from its JSON object in a native document.
class ObjectDecoder {
public:
    // Throws FormatError where the object breaks the format, and std::invalid_argument or
    // std::out_of_range (from the model's setters) where its values do not make an object.
    static std::unique_ptr<model::GeoObject> decode(JsonCursor const& object);

private:
    ObjectDecoder() = delete;
};

} // namespace native
} // namespace quarro

#endif // QUARRO_NATIVE_OBJECTDECODER_H
