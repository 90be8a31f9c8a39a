// Varnelle documentation: what every page's values share: numbers and
// matrix rows as the pages write them, and the values written one file each.
#include "page.h"

#include <cmath>
#include <cstdio>
#include <fstream>

std::string fixed(double value, int decimals)
{
    if (std::fabs(value) < 0.5 * std::pow(10.0, -decimals)) {
        value = 0.0;
    }
    char text[48] = "";
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

std::string tuple(const double* values, int count)
{
    std::string text = "(";
    for (int i = 0; i < count; ++i) {
        text += (i ? ", " : "") + fixed(values[i], entryDecimals);
    }
    return text + ")";
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

std::string nameList(const std::vector<std::string>& names, const PageLanguage& language)
{
    std::string text;
    for (size_t i = 0; i < names.size(); ++i) {
        text += (i == 0 ? "" : i + 1 == names.size() ? pageWords(language, listAnd) : ", ") + names[i];
    }
    return text;
}

const char webPageAddress[] = "http://127.0.0.1:8000/";

namespace {

// Decimals of a number in an address.
const int addressDecimals = 4;

// A number as the address writes it.
std::string addressNumber(double value)
{
    char text[48] = "";
    std::snprintf(text, sizeof text, "%.*f", addressDecimals, value);
    std::string written = text;
    written.erase(written.find_last_not_of('0') + 1);
    if (!written.empty() && written.back() == '.') {
        written.pop_back();
    }
    return written == "-0" ? "0" : written;
}

std::string addressVector(const Point3& v)
{
    return addressNumber(v[0]) + "," + addressNumber(v[1]) + "," + addressNumber(v[2]);
}

// The view's arguments, then the page's language if it is not English's.
std::string addressView(const Point3& eye, const Point3& centre, const Point3& up, const PageLanguage& language)
{
    return "&eye=" + addressVector(eye) + "&center=" + addressVector(centre) + "&up=" + addressVector(up) +
           (*language.folder ? std::string("&lang=") + language.code : "");
}

} // namespace

std::string cameraAddress(const PerspectiveArguments& a, const Point3& eye, const Point3& centre,
                          const Point3& up, const PageLanguage& language)
{
    return std::string(webPageAddress) + "?kind=perspective&fovy=" + addressNumber(a.fovy) +
           "&aspect=" + addressNumber(a.aspect) + "&near=" + addressNumber(a.nearPlane) +
           "&far=" + addressNumber(a.farPlane) + addressView(eye, centre, up, language);
}

std::string cameraAddress(const OrthoArguments& a, const Point3& eye, const Point3& centre,
                          const Point3& up, const PageLanguage& language)
{
    return std::string(webPageAddress) + "?kind=orthographic&left=" + addressNumber(a.left) +
           "&right=" + addressNumber(a.right) + "&bottom=" + addressNumber(a.bottom) +
           "&top=" + addressNumber(a.top) + "&near=" + addressNumber(a.nearPlane) +
           "&far=" + addressNumber(a.farPlane) + addressView(eye, centre, up, language);
}
