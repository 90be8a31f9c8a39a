// Varnelle documentation: what every page's values share: numbers and
// matrix rows as the pages write them, and the values written one file each.
#include "page.h"

#include <cmath>
#include <cstdio>
#include <fstream>

namespace {

// Matrix entries are printed to this many decimals.
const int entryDecimals = 4;

} // namespace

std::string fixed(double value, int decimals)
{
    if (std::fabs(value) < 0.5 * std::pow(10.0, -decimals)) {
        value = 0.0;
    }
    char text[48] = "";
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

std::string matrixRow(const Matrix4& m, int row)
{
    std::string line = "|";
    for (int column = 0; column < 4; ++column) {
        char text[32] = "";
        std::snprintf(text, sizeof text, " %10s", fixed(entry(m, row, column), entryDecimals).c_str());
        line += text;
    }
    return line + " |";
}

std::string shapeName(int width, int height)
{
    return std::to_string(width) + "×" + std::to_string(height);
}

bool writeValues(const std::string& folder, const PageValues& values)
{
    bool written = true;
    for (const auto& [name, text] : values) {
        std::ofstream file(folder + "/" + name, std::ios::binary);
        file << text;
        written = written && static_cast<bool>(file.flush());
    }
    return written;
}
