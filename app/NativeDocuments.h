#ifndef QUARRO_APP_NATIVEDOCUMENTS_H
#define QUARRO_APP_NATIVEDOCUMENTS_H

#include <QString>

#include <string>

namespace quarro {
namespace app {

// What the application needs to know of its own document files, in one place.
namespace native_documents {

// The importer key that Save records on a saved document ("QRO").
std::string const& key();

// Whether key names the native reader ("QRO" or "QUARRO"): documents read with it are reopened
// by path and can be saved back to their file.
bool is_native_key(std::string const& key);

// Whether the file name ends in .qro, .qroz or .quarro, in any case.
bool has_native_suffix(QString const& path);

} // namespace native_documents
} // namespace app
} // namespace quarro

#endif // QUARRO_APP_NATIVEDOCUMENTS_H
