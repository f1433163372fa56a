#ifndef QUARRO_TESTS_READER_GRDECL_GRDECLTESTGRIDS_H
#define QUARRO_TESTS_READER_GRDECL_GRDECLTESTGRIDS_H

#include <QString>

#include <string>

namespace quarro {
namespace test {

// The text of a GRDECL grid: vertical pillars 100 apart, layers 10 thick from depth 1000; cells
// from column `faultAt` on sit `fault` deeper, which splits the nodes on the pillars between.
inline std::string gridText(int ni, int nj, int nk, int faultAt = -1, double fault = 0) {
    std::string text = "SPECGRID\n " + std::to_string(ni) + " " + std::to_string(nj) + " " +
                       std::to_string(nk) + " 1 F /\nCOORD\n";
    for (int j = 0; j <= nj; ++j) {
        for (int i = 0; i <= ni; ++i) {
            std::string const xy = std::to_string(i * 100) + " " + std::to_string(j * 100);
            text += " " + xy + " 0 " + xy + " 2000\n";
        }
    }
    text += "/\nZCORN\n";
    for (int k = 0; k < nk; ++k) {
        for (int dk = 0; dk < 2; ++dk) {
            for (int row = 0; row < 2 * nj; ++row) {
                for (int column = 0; column < 2 * ni; ++column) {
                    double const throwBy = faultAt >= 0 && column / 2 >= faultAt ? fault : 0.0;
                    text += " " + QString::number(1000 + 10 * (k + dk) + throwBy).toStdString();
                }
                text += "\n";
            }
        }
    }
    return text + "/\n";
}

} // namespace test
} // namespace quarro

#endif // QUARRO_TESTS_READER_GRDECL_GRDECLTESTGRIDS_H
