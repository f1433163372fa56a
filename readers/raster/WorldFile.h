#ifndef QUARRO_READERS_RASTER_WORLDFILE_H
#define QUARRO_READERS_RASTER_WORLDFILE_H

#include <QString>
#include <QStringList>

#include <string_view>

namespace quarro {
namespace readers {

// The six numbers of a world file (.tfw, .pgw, .jgw, .bpw, .gfw, .wld), one per line, in the order
// A D B E C F: the pixel width A, the rotation terms D and B, the pixel height E (negative for a
// north-up image) and the centre C, F of the top-left pixel.
class WorldFile {
public:
    WorldFile() = default;

    // The names a world file of the image may have, in the order they are looked for: the
    // extension's first and last letters with "w" (map.png: map.pgw), the extension with "w"
    // (map.pngw) and map.wld, each as the image's extension is written and in the other case.
    static QStringList candidates(QString const& imagePath);
    // The first candidate that exists, or an empty string.
    static QString find(QString const& imagePath);

    // Reads the six numbers; on failure `error` names the line. Blank lines are skipped and lines
    // after the sixth number are ignored.
    bool parse(std::string_view text, QString& error);

    double pixelWidth() const { return m_a; }
    double rotationY() const { return m_d; }
    double rotationX() const { return m_b; }
    double pixelHeight() const { return m_e; }
    double centreX() const { return m_c; }
    double centreY() const { return m_f; }
    bool isRotated() const { return m_d != 0.0 || m_b != 0.0; }

private:
    double m_a = 1.0;
    double m_d = 0.0;
    double m_b = 0.0;
    double m_e = -1.0;
    double m_c = 0.0;
    double m_f = 0.0;
};

} // namespace readers
} // namespace quarro

#endif // QUARRO_READERS_RASTER_WORLDFILE_H
