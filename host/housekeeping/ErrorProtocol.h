#ifndef QUARRO_HOUSEKEEPING_ERRORPROTOCOL_H
#define QUARRO_HOUSEKEEPING_ERRORPROTOCOL_H

#include "QuarroHostExport.h"

#include <QFile>
#include <QMutex>
#include <QObject>
#include <QString>
#include <QStringList>

#include <string>

namespace quarro {
namespace housekeeping {

// The application's log. Everything logged during the run is kept in memory (so that a log panel,
// and tests, can read it back) and, once a log file is set, appended to that file and flushed line
// by line, so that the file survives a crash. Safe to use from any thread; the signal is emitted on
// the thread that logged.
class QUARRO_HOST_EXPORT ErrorProtocol : public QObject {
    Q_OBJECT
public:
    static ErrorProtocol& instance();

    // A violated precondition: logs one line
    //   ASSERT "expression" failed in function (file:line)
    // and returns; the caller goes on.
    void log_assert(char const* expression, char const* function, char const* file, unsigned line);

    // Logs a text (UTF-8); a text of several lines becomes several log lines, a trailing line end
    // adds none.
    void log_message(std::string const& text);

    // Every line logged during this run (or since clear()), in order.
    QStringList lines() const;

    // Forgets the lines kept in memory; the log file keeps them.
    void clear();

    // Appends every following line to the file at path as well; an empty path stops that. Returns
    // false (and logs why) when the file cannot be opened for appending.
    bool set_log_file(QString const& path);
    QString log_file() const;

signals:
    void lineLogged(QString const& line);

private:
    ErrorProtocol();
    ~ErrorProtocol() override;
    Q_DISABLE_COPY(ErrorProtocol)

    void append_lines(QStringList const& new_lines);

    mutable QMutex m_mutex;
    QStringList m_lines;
    QFile m_file;
};

} // namespace housekeeping
} // namespace quarro

#endif // QUARRO_HOUSEKEEPING_ERRORPROTOCOL_H
