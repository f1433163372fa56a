#ifndef QUARRO_NATIVE_OBJECTENCODER_H
#define QUARRO_NATIVE_OBJECTENCODER_H

#include <QJsonObject>

namespace quarro {
namespace model {
class GeoObject;
}

namespace native {

// Writes one geological object as the JSON object the native format describes for its kind.
class ObjectEncoder {
public:
    // Throws FormatError when the object is of no kind the format knows (or not of the class its
    // kind names), and whatever Qt throws when memory runs out.
    static QJsonObject encode(model::GeoObject const& object);

private:
    ObjectEncoder() = delete;
};

} // namespace native
} // namespace quarro

#endif // QUARRO_NATIVE_OBJECTENCODER_H
