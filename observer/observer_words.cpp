// Varnelle documentation: the observer picture's words, in English and in
// French (Latin-1: \xE9 is é, \xE8 è, \xEA ê, \xEE î, \xE0 à, \xB0 the
// degree sign, \xD7 the multiplication sign). Each {N} takes the N-th
// piece a pattern is filled with.
#include "observer_words.h"

#include <cstdio>
#include <initializer_list>

#include "formulas.h"
#include "observer.h"

static_assert(colourCyan - coneColourFirst + 1 == coneCount, "a colour's name for every cone");
static_assert(observerWordCount - axisLetterFirst == axisCount, "a letter for every axis");

namespace {

// Words of a list (the cones' colours, the axes' letters), from first on.
void putInOrder(ObserverLanguage& l, int first, std::initializer_list<const char*> names)
{
    for (const char* name : names) {
        l.words[first++] = name;
    }
}

const ObserverLanguage english = [] {
    ObserverLanguage l;
    l.code = "en";
    l.decimalMark = '.';
    l.tupleSeparator = ", ";
    auto& w = l.words;
    w[captionOrthographic] = "Station {0}, orthographic, window {1}\xD7{2}";
    w[captionPerspective] = "Station {0}, perspective, window {1}\xD7{2}";
    w[numbersOrthographic] = "view's origin (0, 0, 0), looking along -z   near {0}, far {1} along "
                             "the line of sight   box {2} \xD7 {3}";
    w[numbersPerspective] = "eye {0}   D {1}   near {2}, far {3} from the eye   {4}\xB0 up, {5}\xB0 across";
    w[eyeLabel] = "eye {0}";
    w[nearLabel] = "near {0}";
    w[farLabel] = "far {0}";
    w[yourNearLabel] = "your near {0}";
    w[wholeSetUp] = "whole set-up";
    w[legendEdges] = "orange: edges, near plane to far plane";
    w[legendNearPlane] = "light blue, thick: near plane";
    w[legendFarPlane] = "purple, dashed: far plane";
    w[legendEye] = "cream square: the eye";
    w[legendOrigin] = "cream square: the view's origin";
    w[legendSight] = "cream dots, arrow: line of sight";
    w[legendPyramid] = "grey dots: rest of the pyramid to the eye";
    w[legendYourCamera] = "coral, long dashes: your camera";
    w[legendMarkedPoint] = "white square: the point followed";
    putInOrder(l, coneColourFirst, {"red", "green", "blue", "yellow", "magenta", "cyan"});
    putInOrder(l, axisLetterFirst, {"x", "y", "z"});
    return l;
}();

// The eye is "point de vue" here: the fonts have no œ for "œil".
const ObserverLanguage french = [] {
    ObserverLanguage l;
    l.code = "fr";
    l.decimalMark = ',';
    l.tupleSeparator = " ; ";
    auto& w = l.words;
    w[captionOrthographic] = "Poste {0}, orthographique, fen\xEAtre {1}\xD7{2}";
    w[captionPerspective] = "Poste {0}, perspective, fen\xEAtre {1}\xD7{2}";
    w[numbersOrthographic] = "origine de la vue (0 ; 0 ; 0), vis\xE9" "e selon -z   plans \xE0 {0} et {1} "
                             "le long de la vis\xE9" "e   bo\xEEte {2} \xD7 {3}";
    w[numbersPerspective] = "point de vue {0}   D {1}   plans \xE0 {2} et {3}   champ {5}\xB0 \xD7 {4}\xB0";
    w[eyeLabel] = "point de vue {0}";
    w[nearLabel] = "proche {0}";
    w[farLabel] = "lointain {0}";
    w[yourNearLabel] = "votre plan proche {0}";
    w[wholeSetUp] = "vue d'ensemble";
    w[legendEdges] = "orange : ar\xEAtes, d'un plan \xE0 l'autre";
    w[legendNearPlane] = "bleu clair, \xE9pais : plan proche";
    w[legendFarPlane] = "violet, en tirets : plan lointain";
    w[legendEye] = "carr\xE9 cr\xE8me : le point de vue";
    w[legendOrigin] = "carr\xE9 cr\xE8me : l'origine de la vue";
    w[legendSight] = "pointill\xE9s cr\xE8me, fl\xE8" "che : ligne de vis\xE9" "e";
    w[legendPyramid] = "pointill\xE9s gris : reste de la pyramide";
    w[legendYourCamera] = "corail, longs tirets : votre cam\xE9ra";
    w[legendMarkedPoint] = "carr\xE9 blanc : le point suivi";
    putInOrder(l, coneColourFirst, {"rouge", "vert", "bleu", "jaune", "magenta", "cyan"});
    putInOrder(l, axisLetterFirst, {"x", "y", "z"});
    return l;
}();

const ObserverLanguage* current = &english;

} // namespace

const ObserverLanguage* const observerLanguages[observerLanguageCount] = {&english, &french};

const ObserverLanguage& observerLanguage()
{
    return *current;
}

const char* observerWord(int word)
{
    return current->words[word];
}

const ObserverLanguage* observerLanguageFor(const char* code)
{
    for (const ObserverLanguage* language : observerLanguages) {
        if (code != nullptr && std::string(code) == language->code) {
            return language;
        }
    }
    return nullptr;
}

int observerUseLanguage(const char* code)
{
    const ObserverLanguage* language = observerLanguageFor(code);
    current = language ? language : &english;
    return language ? 1 : 0;
}

std::string observerNumber(double value, int decimals)
{
    char text[48] = "";
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    std::string written = text;
    for (char& c : written) {
        c = c == '.' ? current->decimalMark : c;
    }
    return written;
}

std::string observerTuple(const double* values, int count, int decimals)
{
    std::string text = "(";
    for (int i = 0; i < count; ++i) {
        text += (i ? current->tupleSeparator : "") + observerNumber(values[i], decimals);
    }
    return text + ")";
}

std::string filledWords(const char* pattern, const std::vector<std::string>& pieces)
{
    std::string text = pattern;
    std::string filled;
    size_t at = 0;
    for (size_t open = text.find('{'); open != std::string::npos; open = text.find('{', at)) {
        size_t close = text.find('}', open);
        size_t index = std::stoul(text.substr(open + 1, close - open - 1));
        filled += text.substr(at, open - at);
        filled += index < pieces.size() ? pieces[index] : std::string();
        at = close + 1;
    }
    return filled + text.substr(at);
}
