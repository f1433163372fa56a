#include "model/GeoObject.h"

namespace quarro {
namespace model {

GeoObject::~GeoObject() = default;

QString GeoObject::kindName() const {
    return objectKindName(kind());
}

quint64 GeoObject::sizeHint() const {
    return 0;
}

void GeoObject::setProperty(QString const& key, QString const& value) {
    int index = propertyIndex(key);
    if (index < 0) {
        m_properties.append(Property(key, value));
        return;
    }
    m_properties[index].second = value;
}

QString GeoObject::property(QString const& key) const {
    int index = propertyIndex(key);
    return index < 0 ? QString() : m_properties.at(index).second;
}

bool GeoObject::hasProperty(QString const& key) const {
    return propertyIndex(key) >= 0;
}

bool GeoObject::removeProperty(QString const& key) {
    int index = propertyIndex(key);
    if (index < 0) {
        return false;
    }
    m_properties.removeAt(index);
    return true;
}

int GeoObject::propertyIndex(QString const& key) const {
    for (int i = 0; i < m_properties.size(); ++i) {
        if (m_properties.at(i).first == key) {
            return i;
        }
    }
    return -1;
}

} // namespace model
} // namespace quarro
