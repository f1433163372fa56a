#ifndef QUARRO_IMPORT_STRINGUTILITIES_H
#define QUARRO_IMPORT_STRINGUTILITIES_H

#include "QuarroImportExport.h"

#include <string>

// Small in-place edits that readers use on names and values read from files. All of them treat
// the string as bytes.
namespace quarro {
namespace import {

// The file-dialog pattern that stands for a filter mapped to no importer: "*.*".
QUARRO_IMPORT_EXPORT std::string all_files_extension();

// Deletes every double quote; single quotes stay.
QUARRO_IMPORT_EXPORT void strip_all_quotes(std::string& text);

// Deletes every space (only the space character) except one in the first position.
QUARRO_IMPORT_EXPORT void strip_all_white_space(std::string& text);

// Reduces a path to its file name without the last extension. A text without the platform's
// native directory separator is left unchanged, extension included.
QUARRO_IMPORT_EXPORT void strip_file_name(std::string& path);

// Delete leading / trailing white space of the C locale (space, \t, \n, \v, \f, \r).
QUARRO_IMPORT_EXPORT void trim_left(std::string& text);
QUARRO_IMPORT_EXPORT void trim_right(std::string& text);

} // namespace import
} // namespace quarro

#endif // QUARRO_IMPORT_STRINGUTILITIES_H
