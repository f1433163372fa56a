#ifndef QUARRO_TESTS_FAKEFILEREADER_H
#define QUARRO_TESTS_FAKEFILEREADER_H

#include "AbstractFileReader.h"

#include <string>

namespace quarro::test {

// A reader whose answers tests choose through template parameters, so that one static factory
// per key can make it: FakeFileReader<Filter> offers the filter text `Filter::text`, keeps the
// base reader's verification and reads nothing.
template <class Filter>
class FakeFileReader : public import::AbstractFileReader {
public:
    std::string data_type() override { return Filter::text; }
    std::string file_filter() override { return Filter::text; }
    ImportState import_data(boost::shared_ptr<housekeeping::DataSource>,
                            housekeeping::DocumentId const&, bool, brkBase::AbstractProgress*,
                            bool) override {
        return IMPORT_OK;
    }
};

} // namespace quarro::test

#endif // QUARRO_TESTS_FAKEFILEREADER_H
