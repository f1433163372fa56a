#ifndef QUARRO_HOUSEKEEPING_ABSTRACTDATAINFORMATION_H
#define QUARRO_HOUSEKEEPING_ABSTRACTDATAINFORMATION_H

#include "QuarroHostExport.h"

#include <QString>
#include <QVariant>
#include <QVariantMap>
#include <QtGlobal>

#include <string>

namespace quarro {
namespace housekeeping {

// What a reader needs besides the file itself to read it: the importer key, the ASCII import mode
// and free-form reader settings (column choices, units, ...). A reader library may register a
// subclass by key with AbstractDataInformationFactory; everybody else gets this plain one.
class QUARRO_HOST_EXPORT AbstractDataInformation {
public:
    explicit AbstractDataInformation(std::string key);
    virtual ~AbstractDataInformation();

    // The importer key that this information belongs to.
    std::string key() const { return m_key; }

    // True when the information holds everything needed to read the file again without asking
    // the user (a recent file is then reopened with it rather than by path).
    bool is_complete() const { return m_complete; }
    void set_complete(bool complete) { m_complete = complete; }

    int ascii_import_mode() const { return m_ascii_import_mode; }
    void set_ascii_import_mode(int mode) { m_ascii_import_mode = mode; }

    QVariantMap const& settings() const { return m_settings; }
    QVariant setting(QString const& name, QVariant const& fallback = QVariant()) const;
    void set_setting(QString const& name, QVariant const& value);
    void set_settings(QVariantMap const& settings) { m_settings = settings; }

private:
    Q_DISABLE_COPY(AbstractDataInformation)

    std::string m_key;
    bool m_complete = false;
    int m_ascii_import_mode = 0;
    QVariantMap m_settings;
};

} // namespace housekeeping
} // namespace quarro

#endif // QUARRO_HOUSEKEEPING_ABSTRACTDATAINFORMATION_H
