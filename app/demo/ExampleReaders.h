#ifndef QUARRO_DEMO_EXAMPLEREADERS_H
#define QUARRO_DEMO_EXAMPLEREADERS_H

#include "AbstractFileReader.h"

#include <QByteArray>

namespace quarro {
namespace demo {

// A reader that recognises its files by what their first bytes hold, and reads nothing yet: the
// demonstration shows how readers are registered, offered and asked about files.
class SniffingReader : public import::AbstractFileReader {
public:
    std::bitset<4> verify(std::string const& url, QString& message) override;
    ImportState import_data(boost::shared_ptr<housekeeping::DataSource> source,
                            housekeeping::DocumentId const& document, bool importing,
                            brkBase::AbstractProgress* progress, bool inserting) override;

protected:
    // Whether the head of a file (up to 1024 bytes) looks like this reader's format; when it does
    // not, `why` says what was missing.
    virtual bool recognises(QByteArray const& head, QString& why) const = 0;
};

// LAS well logs: the first section of the file is the version section "~V".
class ExampleLasReader : public SniffingReader {
public:
    std::string data_type() override { return "Well"; }
    std::string file_filter() override { return "LAS well logs (*.las)"; }
    std::vector<std::string> supported_extentions() const override { return {"las"}; }

protected:
    bool recognises(QByteArray const& head, QString& why) const override;
};

// ESRI ASCII grids: a header of ncols, nrows, corner and cell size lines.
class ExampleAsciiGridReader : public SniffingReader {
public:
    std::string data_type() override { return "Surface"; }
    std::string file_filter() override { return "ESRI ASCII grids (*.asc)"; }
    std::vector<std::string> supported_extentions() const override { return {"asc"}; }

protected:
    bool recognises(QByteArray const& head, QString& why) const override;
};

} // namespace demo
} // namespace quarro

#endif // QUARRO_DEMO_EXAMPLEREADERS_H
