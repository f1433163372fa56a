#ifndef QUARRO_MODEL_GEOOBJECT_H
#define QUARRO_MODEL_GEOOBJECT_H

#include "QuarroHostExport.h"
#include "model/BoundingBox.h"
#include "model/ObjectKind.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QtGlobal>

#include <memory>

namespace quarro {
namespace model {

// A geological object held by a document: a name, a kind, a 3D extent and free-form text
// properties (where it came from, header values a reader did not map elsewhere). Subclasses are
// plain copyable values; a document holds them as boost::shared_ptr<GeoObject>, and clone()
// copies one through the base without slicing.
class QUARRO_HOST_EXPORT GeoObject {
public:
    using Property = QPair<QString, QString>;

    virtual ~GeoObject();

    QString const& name() const { return m_name; }
    void setName(QString const& name) { m_name = name; }

    virtual ObjectKind kind() const = 0;
    // The kind as the user sees it ("Well", "Point set", ...).
    QString kindName() const;

    // The extent in model coordinates; empty when the object has nothing placed in space.
    virtual BoundingBox boundingBox() const = 0;
    // How much data the object holds (samples, points, pixels, cells), for the document panel.
    virtual quint64 sizeHint() const;

    // A deep copy of the object, of its own type.
    virtual std::unique_ptr<GeoObject> clone() const = 0;

    // Properties keep the order in which they were first set; keys are unique.
    QList<Property> const& properties() const { return m_properties; }
    // Replaces the value of `key`, or appends the pair when the key is new.
    void setProperty(QString const& key, QString const& value);
    // The value of `key`, or a null QString when there is no such property.
    QString property(QString const& key) const;
    bool hasProperty(QString const& key) const;
    bool removeProperty(QString const& key);

protected:
    GeoObject() = default;
    // Copies only through a subclass (or clone()), so that nothing slices an object.
    GeoObject(GeoObject const&) = default;
    GeoObject(GeoObject&&) = default;
    GeoObject& operator=(GeoObject const&) = default;
    GeoObject& operator=(GeoObject&&) = default;

private:
    int propertyIndex(QString const& key) const;

    QString m_name;
    QList<Property> m_properties;
};

} // namespace model
} // namespace quarro

#endif // QUARRO_MODEL_GEOOBJECT_H
