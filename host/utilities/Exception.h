#ifndef QUARRO_UTILITIES_EXCEPTION_H
#define QUARRO_UTILITIES_EXCEPTION_H

#include "QuarroHostExport.h"

#include <exception>
#include <iosfwd>
#include <string>

namespace quarro {

// Base of every domain exception of the application and its plugins. It carries a numeric code, a
// message and the source position of the throw; the catcher records where it was caught with
// caught_here(), which also writes the exception's log text into the error protocol.
//
// The class is exported whole with an out-of-line destructor so that its type information exists
// once: exceptions thrown in a plugin are caught by type in other libraries.
class QUARRO_HOST_EXPORT Exception : public std::exception {
public:
    Exception(unsigned code, std::string message, char const* file, unsigned line);
    Exception(Exception const& other);
    Exception& operator=(Exception const& other);
    ~Exception() override;

    // Writes code, message, the source position of the throw and, once known, where the exception
    // was caught, as readable lines ending in "\n". Subclasses append their own lines after it.
    virtual void log_information(std::ostream& os) const;

    // The message, as given to the constructor.
    char const* what() const noexcept override;

    // Records the position of the catch and writes log_information() into the error protocol.
    void caught_here(char const* file, unsigned line);

    unsigned code() const { return m_code; }
    std::string const& message() const { return m_message; }
    std::string const& file() const { return m_file; }
    unsigned line() const { return m_line; }

    // Where caught_here() was called; empty and 0 until then.
    std::string const& caught_file() const { return m_caught_file; }
    unsigned caught_line() const { return m_caught_line; }
    bool is_caught() const { return !m_caught_file.empty(); }

private:
    unsigned m_code;
    std::string m_message;
    std::string m_file;
    unsigned m_line;
    std::string m_caught_file;
    unsigned m_caught_line = 0;
};

} // namespace quarro

#endif // QUARRO_UTILITIES_EXCEPTION_H
