// Varnelle documentation: the values of the pages the documentation program
// writes (stations.md, cameras.md and exercises.md, from the templates beside
// this file, which hold the prose). Every figure is measured on what the
// stations really did or worked out with the camera formulas that the
// program checks against them.
#pragma once

#include <array>
#include <map>
#include <string>
#include <vector>

#include "formulas.h"
#include "observer.h"
#include "page_words.h"
#include "volume.h"

// Window shapes the stations are shown in, width and height in pixels.
const int shapeCount = 3;
const int shapeSizes[shapeCount][2] = {{480, 480}, {960, 480}, {480, 960}};

// One station applied to one window shape.
struct ShapeResult {
    int width = 0;
    int height = 0;
    // The calls the station made, with their arguments.
    std::vector<std::string> calls;
    StationReadBack readBack;
    // The viewing volume those matrices enclose, as the observer draws it.
    ObservedVolume volume;
    // The observer picture, relative to the page's folder.
    std::string picture;
};

// One cone's tip followed to its pixel, and the viewer's picture read there.
struct FollowedTip {
    int station = 0;
    int cone = 0;
    FollowedPoint tip;
    // The point read: this far back from the tip along the cone's axis
    // (scene units), its window position, and the cone's radius there in
    // pixels.
    double sampleBack = 0.0;
    std::array<double, 3> sampleWindow{};
    double sampleRadiusPixels = 0.0;
    // The colour read there, RGB in [0, 1], and whether it is the cone's.
    std::array<double, 3> seen{};
    bool showsCone = false;
};

// What the exercises' answers need beyond the stations themselves.
struct ExerciseResults {
    // The picture of the viewer's scene with one argument changed, relative
    // to the page's folder: aspect 1 in a wide window, near D - 5.
    std::string aspectOnePicture;
    std::string nearCutPicture;
    // How many of the near plane's picture's pixels differ from the
    // station's own picture, of how many.
    int nearCutDiffering = 0;
    int nearCutPixels = 0;
    // Up along the line of sight: the modelview GLU built, and how many
    // pixels of the picture differ from the background.
    Matrix4 parallelUpModelview{};
    int parallelUpScenePixels = 0;
    // The point halfway along the green cone, followed through station 2
    // to its pixel, where the viewer's picture shows green.
    Point3 greenMiddle{};
    FollowedPoint greenMiddleFollowed;
};

// Decimals the pages write each kind of number with: matrix entries,
// coordinates and tangents; angles in degrees; ratios; window pixels; and
// whole units.
const int entryDecimals = 4;
const int angleDecimals = 2;
const int ratioDecimals = 3;
const int pixelDecimals = 1;
const int wholeUnits = 0;

// Page values, by the name of their placeholder.
typedef std::map<std::string, std::string> PageValues;

// results[station][shape] in the order of shapeSizes; tips[station] the tip
// followed in each station at 480×480. Each page's values in a language's
// words.
void putStationsValues(PageValues& values, const std::vector<std::vector<ShapeResult>>& results,
                       const std::vector<FollowedTip>& tips, const PageLanguage& language);
void putCamerasValues(PageValues& values, const std::vector<std::vector<ShapeResult>>& results,
                      const PageLanguage& language);
void putExercisesValues(PageValues& values, const ExerciseResults& exercises, const PageLanguage& language);

// Write the values into the folder, one file each. False if one cannot be
// written.
bool writeValues(const std::string& folder, const PageValues& values);

// A number with this many decimals, zero without a sign when it rounds to zero.
std::string fixed(double value, int decimals);
// A tuple of coordinates, each to 4 decimals, in brackets.
std::string tuple(const double* values, int count);
// One row of a matrix, entries to 4 decimals, between bars.
std::string matrixRow(const Matrix4& m, int row);
// "W×H" with the multiplication sign.
std::string shapeName(int width, int height);
// Names in a list, as a sentence gives them: "a", "a and b", "a, b and c".
std::string nameList(const std::vector<std::string>& names, const PageLanguage& language);

// The web page that make serve-web serves, with a camera in its address:
// the page opens with that camera as yours. Its numbers are written for the
// page to read back, not for a reader: a decimal point whatever the page's
// language, up to 4 decimals, no trailing zeros. A language with pages of
// its own asks the page to speak it too (&lang=fr); English leaves it to
// the browser's languages.
extern const char webPageAddress[];
std::string cameraAddress(const PerspectiveArguments& a, const Point3& eye, const Point3& centre,
                          const Point3& up, const PageLanguage& language);
std::string cameraAddress(const OrthoArguments& a, const Point3& eye, const Point3& centre,
                          const Point3& up, const PageLanguage& language);
