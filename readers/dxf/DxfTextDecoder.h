#ifndef QUARRO_READERS_DXF_DXFTEXTDECODER_H
#define QUARRO_READERS_DXF_DXFTEXTDECODER_H

#include <QString>

#include <string_view>

class QTextCodec;

namespace quarro {
namespace readers {

// Turns DXF strings (layer names) into text. Files from AutoCAD 2007 on are UTF-8; older ones are
// in the code page their header names ($DWGCODEPAGE, usually ANSI_1252) and may spell other
// characters as \U+XXXX. A string that is valid UTF-8 is taken as UTF-8 whatever the header says,
// since writers often declare ANSI_1252 for UTF-8 content.
class DxfTextDecoder {
public:
    DxfTextDecoder();

    // The value of $DWGCODEPAGE ("ANSI_1252", "ANSI_1251", "ANSI_932", ...). An unknown page keeps
    // Windows-1252.
    void setCodePage(std::string_view codePage);

    QString decode(std::string_view bytes) const;

private:
    QTextCodec* m_codec = nullptr;
};

} // namespace readers
} // namespace quarro

#endif // QUARRO_READERS_DXF_DXFTEXTDECODER_H
