#ifndef QUARRO_READERS_LAS_LASPARSER_H
#define QUARRO_READERS_LAS_LASPARSER_H

#include "LasFile.h"

#include <QString>

#include <string_view>

class CancelHook;

namespace quarro {
namespace readers {

// Reads the text of a LAS well log (versions 1.2 and 2.0, wrapped or not, and the log sections of
// 3.0) into a LasFile. Real files bend the format in many ways; what can be read with a fair
// guess is read and recorded in LasFile::issues, and only a file that cannot give a well fails.
// Header lines are split by LasHeaderLine, the data by LasDataReader (which says how NULLs are
// read). The text is decoded as UTF-8, or as Windows-1252 when it is not valid UTF-8.
class LasParser {
public:
    enum class Status { Ok, Failed, Cancelled };

    struct Result {
        Status status = Status::Failed;
        // Why the file failed, naming the line ("line 12: ...").
        QString error;
        LasFile file;
    };

    // `hook` (may be null) is asked whether to stop, and told how far the reading got in
    // percent, about once per 16 KB of text.
    explicit LasParser(CancelHook const* hook = nullptr)
        : m_hook(hook) {}

    Result parse(std::string_view text) const;

private:
    CancelHook const* m_hook;
};

} // namespace readers
} // namespace quarro

#endif // QUARRO_READERS_LAS_LASPARSER_H
