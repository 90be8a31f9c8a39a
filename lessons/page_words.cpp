// Varnelle documentation: the words the program writes into the learner's
// pages and draws on the depth plot, in English and in French. The pages'
// words are UTF-8; the plot's Latin-1 (\xE0 is à, \xE8 è, \xE9 é, \xEA ê).
#include "page_words.h"

#include "observer_words.h"

namespace {

const PageLanguage english = [] {
    PageLanguage l;
    l.code = "en";
    l.folder = "";
    auto& w = l.words;
    w[pointingAtYou] = "pointing at you";
    w[pointingAway] = "pointing away, hidden behind the sphere";
    w[onWindowsEdge] = "on the window's edge";
    w[noEye] = "none";
    w[identityView] = "identity: from the origin along −z, +y up";
    w[timesAsLarge] = "{0} times as large";
    w[timesAsSmall] = "{0} times";
    w[orthographicEntries] =
        "projection, from glOrtho(left {0}, right {1}, bottom {2}, top {3}, near {4}, far {5}):\n"
        "  row 1, column 1   2 / (right - left)            = 2 / {6} = {7}\n"
        "  row 2, column 2   2 / (top - bottom)            = 2 / {8} = {9}\n"
        "  row 3, column 3   -2 / (far - near)             = -2 / {10} = {11}\n"
        "  row 3, column 4   -(far + near) / (far - near)  = {12} (the box is centred on the view's origin)\n"
        "  row 4             (0, 0, 0, 1): w stays 1, nothing shrinks with distance\n"
        "modelview: the identity, so eye coordinates are scene coordinates\n";
    w[perspectiveEntries] =
        "projection, from gluPerspective(fovy {0}°, aspect {1}, near {2}, far {3}):\n"
        "  row 1, column 1   cot(fovy / 2) / aspect          = cot({4}°) / {1} = {5}\n"
        "  row 2, column 2   cot(fovy / 2)                   = {6}\n"
        "  row 3, column 3   (far + near) / (near - far)     = {7} / {8} = {9}\n"
        "  row 3, column 4   2 · far · near / (near - far)   = 2 · {3} · {2} / {8} = {10}\n"
        "  row 4, column 3   -1: w becomes -z, the distance in front of the eye\n"
        "modelview, from gluLookAt(eye ({11}, {12}, {13}), to the origin, up (0, 1, 0)):\n"
        "  row 1, the camera's right    {14}\n"
        "  row 2, the camera's up       {15}\n"
        "  row 3, the camera's backward {16}\n"
        "  column 4, -(right · eye, up · eye, backward · eye) = {17}\n";
    w[followedSteps] = "scene                            {0}\n"
                       "× modelview   → eye coordinates  {1}\n"
                       "× projection  → clip coordinates {2}\n"
                       "÷ w           → normalised device coordinates {3}\n"
                       "viewport      → window: x {4}, y {5} pixels from the bottom left, depth {6}\n";
    w[listAnd] = " and ";
    w[namedValue] = "{0}: {1}";
    w[plotDistanceAxis] = "distance past the near plane, scene units";
    w[plotDepthAxis] = "window depth";
    w[plotLinearDepth] = "linear depth";
    w[plotStation] = "station {0}, D {1}";
    w[plotRedTip] = "red tip of station {0}: {1}, linear {2}";
    return l;
}();

const PageLanguage french = [] {
    PageLanguage l;
    l.code = "fr";
    l.folder = "fr";
    auto& w = l.words;
    w[pointingAtYou] = "le cône pointe vers vous";
    w[pointingAway] = "le cône s'éloigne, caché derrière la sphère";
    w[onWindowsEdge] = "sur le bord de la fenêtre";
    w[noEye] = "aucun";
    w[identityView] = "identité : depuis l'origine selon −z, +y vers le haut";
    w[timesAsLarge] = "{0} fois plus grand";
    w[timesAsSmall] = "{0} fois";
    w[orthographicEntries] =
        "projection, par glOrtho(left {0}, right {1}, bottom {2}, top {3}, near {4}, far {5}) :\n"
        "  ligne 1, colonne 1   2 / (right - left)            = 2 / {6} = {7}\n"
        "  ligne 2, colonne 2   2 / (top - bottom)            = 2 / {8} = {9}\n"
        "  ligne 3, colonne 3   -2 / (far - near)             = -2 / {10} = {11}\n"
        "  ligne 3, colonne 4   -(far + near) / (far - near)  = {12} (la boîte est centrée sur l'origine de la vue)\n"
        "  ligne 4              (0, 0, 0, 1) : w reste 1, rien ne rapetisse avec la distance\n"
        "modelview : l'identité, les coordonnées de l'œil sont donc celles de la scène\n";
    w[perspectiveEntries] =
        "projection, par gluPerspective(fovy {0}°, aspect {1}, near {2}, far {3}) :\n"
        "  ligne 1, colonne 1   cot(fovy / 2) / aspect          = cot({4}°) / {1} = {5}\n"
        "  ligne 2, colonne 2   cot(fovy / 2)                   = {6}\n"
        "  ligne 3, colonne 3   (far + near) / (near - far)     = {7} / {8} = {9}\n"
        "  ligne 3, colonne 4   2 · far · near / (near - far)   = 2 · {3} · {2} / {8} = {10}\n"
        "  ligne 4, colonne 3   -1 : w devient -z, la distance devant l'œil\n"
        "modelview, par gluLookAt(eye ({11}, {12}, {13}), vers l'origine, up (0, 1, 0)) :\n"
        "  ligne 1, la droite de la caméra   {14}\n"
        "  ligne 2, le haut de la caméra     {15}\n"
        "  ligne 3, l'arrière de la caméra   {16}\n"
        "  colonne 4, -(droite · œil, haut · œil, arrière · œil) = {17}\n";
    w[followedSteps] = "scène                                    {0}\n"
                       "× modelview   → repère de l'œil          {1}\n"
                       "× projection  → coordonnées de découpage {2}\n"
                       "÷ w           → coordonnées normalisées  {3}\n"
                       "viewport      → fenêtre : x {4}, y {5} pixels depuis le coin inférieur gauche, "
                       "profondeur {6}\n";
    w[listAnd] = " et ";
    w[namedValue] = "{0} : {1}";
    w[plotDistanceAxis] = "distance au-del\xE0 du plan proche, en unit\xE9s de la sc\xE8ne";
    w[plotDepthAxis] = "profondeur en fen\xEAtre";
    w[plotLinearDepth] = "profondeur lin\xE9" "aire";
    w[plotStation] = "poste {0}, D {1}";
    w[plotRedTip] = "pointe rouge du poste {0} : {1} (lin\xE9" "aire : {2})";
    return l;
}();

// Latin-1 text (the observer pictures') in UTF-8 (the pages').
std::string utf8(const char* latin1)
{
    const unsigned char firstTwoByte = 0x80;
    const unsigned char leadBits = 0xC0;
    const unsigned char lowSix = 0x3F;
    const int sixBits = 6;
    std::string text;
    for (const char* c = latin1; *c; ++c) {
        unsigned char byte = static_cast<unsigned char>(*c);
        if (byte < firstTwoByte) {
            text += *c;
        } else {
            text += static_cast<char>(leadBits | (byte >> sixBits));
            text += static_cast<char>(firstTwoByte | (byte & lowSix));
        }
    }
    return text;
}

} // namespace

const PageLanguage* const pageLanguages[pageLanguageCount] = {&english, &french};

std::string pageWords(const PageLanguage& language, PageWord word, const std::vector<std::string>& pieces)
{
    return filledWords(language.words[word], pieces);
}

std::string languageFolder(const std::string& folder, const PageLanguage& language)
{
    return *language.folder ? folder + "/" + language.folder : folder;
}

std::string colourName(const PageLanguage& language, int cone)
{
    return utf8(observerLanguageFor(language.code)->words[coneColourFirst + cone]);
}
