#ifndef QUARRO_TESTS_MANAGERTESTREADERS_H
#define QUARRO_TESTS_MANAGERTESTREADERS_H

#include "AbstractFileReader.h"
#include "AbstractFileReaderFactory.h"
#include "FakeFileReader.h"

#include <QString>
#include <boost/shared_ptr.hpp>

#include <bitset>
#include <string>
#include <vector>

namespace quarro {
namespace test {

// A reader offering `Spec::text` that declares the extensions `Spec::extensions()`.
template <class Spec>
class ListedReader : public FakeFileReader<Spec> {
public:
    std::vector<std::string> supported_extentions() const override { return Spec::extensions(); }
};

// A factory that registers its key but hands back no reader, as a broken reader library would.
class NullReaderFactory : public import::AbstractFileReaderFactory {
public:
    explicit NullReaderFactory(std::string const& key)
        : import::AbstractFileReaderFactory(key, false) {}

protected:
    boost::shared_ptr<import::AbstractFileReader> do_create() override { return {}; }
    import::AbstractFileReader* do_create_unmanaged() override { return nullptr;
}
}; // namespace test

// A reader that records every file it is asked to verify. It rejects files whose URL contains
// "rejected" (explaining "bad header"), finds files containing "readable" only readable, and
// accepts everything else. Its filter text keeps it out of the file dialogs.
class VerifyingReader : public import::AbstractFileReader {
public:
    VerifyingReader() { ++made(); }

    static std::vector<std::string>& asked() {
        static std::vector<std::string> urls;
        return urls;
    }
    static int& made() {
        static int count = 0;
        return count;
    }

    std::string data_type() override { return "Verification"; }
    std::string file_filter() override { return "Check files (*.vfy)"; }
    ImportState import_data(boost::shared_ptr<housekeeping::DataSource>,
                            housekeeping::DocumentId const&, bool, brkBase::AbstractProgress*,
                            bool) override {
        return IMPORT_OK;
    }
    std::bitset<4> verify(std::string const& url, QString& message) override {
        asked().push_back(url);
        std::bitset<4> result;
        if (url.find("rejected") != std::string::npos) {
            message += QStringLiteral("bad header");
        } else if (url.find("readable") != std::string::npos) {
            result.set(VERIFY_READABLE);
        } else {
            result.set(VERIFY_ACCEPTED);
        }
        return result;
    }
};

} // namespace quarro
} // namespace quarro

#endif // QUARRO_TESTS_MANAGERTESTREADERS_H
