#ifndef QUARRO_READERS_GDAL_GDALTEXT_H
#define QUARRO_READERS_GDAL_GDALTEXT_H

#include <QLatin1Char>
#include <QLatin1String>
#include <QLocale>
#include <QString>
#include <QtGlobal>

namespace quarro {
namespace readers {
namespace gdal {

// Numbers in the import summary, written as the other readers write them: English digits with
// thousands separators, whatever the user's locale.

inline QLocale const& english() {
    static QLocale const locale(QLocale::English, QLocale::UnitedStates);
    return locale;
}

inline QString decimal(double value) {
    return english().toString(value, 'g', 12);
}

inline QString counted(qulonglong count, char const* singular, char const* plural) {
    return english().toString(count) + QLatin1Char(' ') +
           QLatin1String(count == 1 ? singular : plural);
}

// The summary's phrase for a coordinate reference system described by GdalDataset::describe().
inline QString crsPhrase(QString const& crs) {
    return crs.isEmpty() ? QStringLiteral("no coordinate reference system given")
                         : QStringLiteral("coordinate reference system ") + crs;
}

} // namespace gdal
} // namespace readers
} // namespace quarro

#endif // QUARRO_READERS_GDAL_GDALTEXT_H
