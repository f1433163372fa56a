#ifndef QUARRO_EXAMPLE_EXAMPLEREADER_H
#define QUARRO_EXAMPLE_EXAMPLEREADER_H

#include "import/AbstractFileReader.h"

namespace example {

// Reads "XPOINTS" files, a text format made up for this example:
//
//     XPOINTS 1                  first line, always
//     # a comment                comments and blank lines are skipped
//     name Top Brent             the name of the point set (optional)
//     456210.0 6782140.0 -2310   a point: x y z
//
// into one point set. A line that is none of these makes the read throw an ImportException,
// which the import library's loader catches and reports.
class ExampleReader : public quarro::import::AbstractFileReader {
public:
    std::string data_type() override;
    std::string file_filter() override;
    std::vector<std::string> supported_extentions() const override;
    std::bitset<4> verify(std::string const& url, QString& message) override;
    ImportState import_data(boost::shared_ptr<quarro::housekeeping::DataSource> source,
                            quarro::housekeeping::DocumentId const& document, bool importing,
                            brkBase::AbstractProgress* progress, bool inserting) override;
};

} // namespace example

#endif // QUARRO_EXAMPLE_EXAMPLEREADER_H
