#include "housekeeping/ErrorProtocol.h"

#include <QMutexLocker>

namespace quarro {
namespace housekeeping {

namespace {
QString text_or_unknown(char const* text) {
    return text != nullptr ? QString::fromUtf8(text) : QStringLiteral("<unknown>");
}
} // namespace

ErrorProtocol& ErrorProtocol::instance() {
    static ErrorProtocol protocol;
    return protocol;
}

ErrorProtocol::ErrorProtocol() = default;

ErrorProtocol::~ErrorProtocol() = default;

void ErrorProtocol::log_assert(char const* expression, char const* function, char const* file,
                               unsigned line) {
    append_lines(
        {QStringLiteral("ASSERT \"%1\" failed in %2 (%3:%4)")
             .arg(text_or_unknown(expression), text_or_unknown(function), text_or_unknown(file))
             .arg(line)});
}

void ErrorProtocol::log_message(std::string const& text) {
    QStringList new_lines = QString::fromStdString(text).split(QLatin1Char('\n'));
    if (new_lines.size() > 1 && new_lines.last().isEmpty()) {
        new_lines.removeLast();
    }
    append_lines(new_lines);
}

QStringList ErrorProtocol::lines() const {
    QMutexLocker lock(&m_mutex);
    return m_lines;
}

void ErrorProtocol::clear() {
    QMutexLocker lock(&m_mutex);
    m_lines.clear();
}

bool ErrorProtocol::set_log_file(QString const& path) {
    QString error;
    {
        QMutexLocker lock(&m_mutex);
        if (m_file.isOpen()) {
            m_file.close();
        }
        if (path.isEmpty()) {
            return true;
        }
        m_file.setFileName(path);
        if (m_file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text)) {
            return true;
        }
        error = m_file.errorString();
    }
    append_lines({QStringLiteral("Cannot open the log file '%1': %2").arg(path, error)});
    return false;
}

QString ErrorProtocol::log_file() const {
    QMutexLocker lock(&m_mutex);
    return m_file.isOpen() ? m_file.fileName() : QString();
}

void ErrorProtocol::append_lines(QStringList const& new_lines) {
    {
        QMutexLocker lock(&m_mutex);
        m_lines += new_lines;
        if (m_file.isOpen()) {
            for (QString const& line : new_lines) {
                m_file.write(line.toUtf8());
                m_file.write("\n");
            }
            m_file.flush();
        }
    }
    // Outside the lock: a receiver may read lines() back.
    for (QString const& line : new_lines) {
        emit lineLogged(line);
    }
}

} // namespace housekeeping
} // namespace quarro
