#ifndef QUARRO_HOUSEKEEPING_DOCUMENTHISTORY_H
#define QUARRO_HOUSEKEEPING_DOCUMENTHISTORY_H

#include "QuarroHostExport.h"

#include <QString>
#include <QStringList>

#include <cstddef>

class QUndoStack;

namespace quarro {
namespace housekeeping {

// A read-only view of the commands recorded on a document (its QUndoStack). Empty means that no
// command was ever recorded: the document is as it was loaded.
class QUARRO_HOST_EXPORT DocumentHistory {
public:
    explicit DocumentHistory(QUndoStack const* stack);

    bool empty() const { return size() == 0; }
    // The recorded commands, done and undone.
    std::size_t size() const;
    // How many of them are done (the rest can be redone).
    std::size_t done() const;
    // The description of command index (oldest first); empty for a bad index.
    QString description(std::size_t index) const;
    QStringList descriptions() const;

private:
    QUndoStack const* m_stack;
};

} // namespace housekeeping
} // namespace quarro

#endif // QUARRO_HOUSEKEEPING_DOCUMENTHISTORY_H
