// Varnelle documentation: the words the documentation program writes into
// the learner's pages' values and draws on the depth plot, one table per
// language. The pages' prose is in their templates (lessons/*.in for
// English, lessons/fr/*.in for French); these are the few words that come
// with the program's rows and blocks. Patterns hold {0}, {1} ... where the
// numbers go, written with a decimal point: tools/fill-page.sh writes
// French prose's numbers as French writes them.
#pragma once

#include <array>
#include <string>
#include <vector>

enum PageWord {
    // The cones' table: where station 0 draws each tip.
    pointingAtYou,
    pointingAway,
    onWindowsEdge,
    // The stations' table: the orthographic station's eye and view.
    noEye,
    identityView,
    // The angles' table: how much larger the nearest point is drawn, and
    // how much smaller the farthest.
    timesAsLarge,
    timesAsSmall,
    // Where the entries of the matrices come from, and a tip followed to
    // its pixel: code blocks, each line worded.
    orthographicEntries,
    perspectiveEntries,
    followedSteps,
    // Between the last two names of a list; a name and what it has.
    listAnd,
    namedValue,
    // The depth plot's words, in Latin-1 as the bitmap font has it.
    plotDistanceAxis,
    plotDepthAxis,
    plotLinearDepth,
    plotStation,
    plotRedTip,
    pageWordCount
};

// One language of the pages: its code (the observer pictures' language
// too), the folder its pages, pictures and values go to under the English
// ones' ("" for English), and its words.
struct PageLanguage {
    const char* code = "";
    const char* folder = "";
    std::array<const char*, pageWordCount> words{};
};
const int pageLanguageCount = 2;
extern const PageLanguage* const pageLanguages[pageLanguageCount];

// A word of the language filled with its pieces.
std::string pageWords(const PageLanguage& language, PageWord word,
                      const std::vector<std::string>& pieces = {});
// A folder's counterpart for the language: the folder itself for English,
// its subfolder for another language.
std::string languageFolder(const std::string& folder, const PageLanguage& language);
// A cone's colour as the language's pages name it (the observer picture's
// word for it, in UTF-8).
std::string colourName(const PageLanguage& language, int cone);
