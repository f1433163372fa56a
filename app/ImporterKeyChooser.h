#ifndef QUARRO_APP_IMPORTERKEYCHOOSER_H
#define QUARRO_APP_IMPORTERKEYCHOOSER_H

#include <QString>
#include <QStringList>

#include <bitset>
#include <string>
#include <vector>

namespace quarro {
namespace app {

// Picks the importer for a file when the user names none, as a user picking the file dialog's
// filter would: the first reader that lists the file's extension and recognises the content;
// failing that, any reader that recognises the content; failing that, the first reader that lists
// the extension and can at least read the file (its summary will say what is wrong with it).
// Readers are asked in registration order, except the GDAL reader, which is asked last.
class ImporterKeyChooser {
public:
    // Asks every registered reader for its extensions once.
    ImporterKeyChooser();

    // The key for path, or an empty key when no reader takes the file; then reasons holds what
    // the readers said, one line each.
    std::string choose(QString const& path, QString& reasons) const;

    // Whether the reader of key takes path, by the import manager's rule (it accepts the file or
    // at least can read it); the reader's reason for a refusal goes to message.
    static bool fits(std::string const& key, QString const& path, QString& message);

    // The registered reader keys, in registration order.
    static std::vector<std::string> registered_keys();
    static bool is_registered(std::string const& key);

private:
    struct Reader {
        std::string key;
        std::vector<std::string> extensions;
    };

    static std::bitset<4> verify(std::string const& key, QString const& path, QString& message);

    std::vector<Reader> m_readers;
};

} // namespace app
} // namespace quarro

#endif // QUARRO_APP_IMPORTERKEYCHOOSER_H
