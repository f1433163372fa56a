#ifndef QUARRO_HOUSEKEEPING_DOCUMENT_H
#define QUARRO_HOUSEKEEPING_DOCUMENT_H

#include "QuarroHostExport.h"
#include "housekeeping/AbstractDocument.h"

#include <boost/shared_ptr.hpp>

#include <cstddef>
#include <vector>

namespace quarro {
namespace model {
class GeoObject;
}

namespace housekeeping {

// The application's document: an ordered list of geological objects. Adding or removing objects
// sends changed() but does not mark the document modified: the commands and readers that change
// it decide that.
class QUARRO_HOST_EXPORT Document : public AbstractDocument {
    Q_OBJECT
public:
    using ObjectPtr = boost::shared_ptr<model::GeoObject>;
    static constexpr std::size_t npos = static_cast<std::size_t>(-1);

    explicit Document(DocumentId const& id, QObject* parent = nullptr);
    ~Document() override;

    quint64 size() const override;

    std::vector<ObjectPtr> const& objects() const { return m_objects; }
    std::size_t object_count() const { return m_objects.size(); }
    // The position of object, npos when the document does not hold it.
    std::size_t index_of(ObjectPtr const& object) const;

    // Appends object. A null object, or one the document already holds, is logged and ignored.
    void add_object(ObjectPtr object);
    // Inserts object before position index (at the end when index is past it); refuses like
    // add_object.
    void insert_object(std::size_t index, ObjectPtr object);
    // Removes object; false when the document does not hold it.
    bool remove_object(ObjectPtr const& object);
    // Removes and returns the object at index; null for a bad index.
    ObjectPtr take_object(std::size_t index);

private:
    bool accepts(ObjectPtr const& object) const;

    std::vector<ObjectPtr> m_objects;
};

} // namespace housekeeping
} // namespace quarro

#endif // QUARRO_HOUSEKEEPING_DOCUMENT_H
