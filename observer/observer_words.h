// Varnelle documentation: the observer picture's words, one table per
// language (English and French), chosen at run time. Latin-1 text, as
// GLUT's bitmap fonts have it (no œ: the French pictures say "point de
// vue" for the eye). Patterns hold {0}, {1} ... where the numbers go, in
// the order the language puts them; numbers are written as its prose
// writes them.
#pragma once

#include <array>
#include <string>
#include <vector>

// Every text the picture draws. The cones' colours follow the order of
// cones[] (formulas.h), the axes' letters x, y, z.
enum ObserverWord {
    captionOrthographic, // "Station {0}, orthographic, window {1}×{2}"
    captionPerspective,
    numbersOrthographic, // the caption's second line: near, far, the box
    numbersPerspective,  // the eye, D, near, far, the angles up and across
    eyeLabel,
    nearLabel,
    farLabel,
    yourNearLabel,
    wholeSetUp,
    legendEdges,
    legendNearPlane,
    legendFarPlane,
    legendEye,
    legendOrigin,
    legendSight,
    legendPyramid,
    legendYourCamera,
    legendMarkedPoint,
    colourRed,
    colourGreen,
    colourBlue,
    colourYellow,
    colourMagenta,
    colourCyan,
    axisX,
    axisY,
    axisZ,
    observerWordCount
};
const int coneColourFirst = colourRed;
const int axisLetterFirst = axisX;
const int axisCount = 3;

// One language: its code, how its prose writes a decimal number and
// separates a tuple's numbers, and its words.
struct ObserverLanguage {
    const char* code = "";
    char decimalMark = '.';
    const char* tupleSeparator = ", ";
    std::array<const char*, observerWordCount> words{};
};
const int observerLanguageCount = 2;
extern const ObserverLanguage* const observerLanguages[observerLanguageCount];

// The language of this code ("en", "fr"), or nullptr if there is none.
const ObserverLanguage* observerLanguageFor(const char* code);

// The language the pictures are drawn in now (English until another is
// chosen with observerUseLanguage, observer.h), and one of its words.
const ObserverLanguage& observerLanguage();
const char* observerWord(int word);

// A number with this many decimals, and a tuple of them, as the language's
// prose writes them: "88.00", "(100, 100, 100)"; "88,00", "(100 ; 100 ; 100)".
std::string observerNumber(double value, int decimals);
std::string observerTuple(const double* values, int count, int decimals);
// A pattern with each {N} replaced by the N-th of the pieces.
std::string filledWords(const char* pattern, const std::vector<std::string>& pieces);
