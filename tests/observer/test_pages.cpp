// The learner's pages as make stations writes them, run into a folder of
// the test's own: no exercise's answer is printed on a page the reading
// order puts before the exercises; the first use of each term of the
// glossary on each learner's page links to it; exercise 8's picture shows
// its near plane's cut; the handout asks every exercise without its
// answer; and the French pages give the English pages' numbers.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cmath>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "drive.h"
#include "handout.h"
#include "program_run.h"

namespace {

// The pages filled once for every test here.
class FilledPages : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        folder = new TemporaryFolder;
        std::string output;
        ranOk = runToEnd({VARNELLE_STATIONS_BINARY, folder->path.string(), values()}, output) == 0;
        for (const char* name : {"cameras", "stations", "exercises", "glossary"}) {
            ranOk = ranOk &&
                    runToEnd({VARNELLE_FILL_PAGE, std::string(VARNELLE_LESSONS_DIR) + "/" + name + ".md.in",
                              values(), page(name), "make stations"},
                             output) == 0 &&
                    runToEnd({VARNELLE_FILL_PAGE, std::string(VARNELLE_LESSONS_DIR) + "/fr/" + name + ".md.in",
                              values() + "/fr", frenchPage(name), "make stations", "fr"},
                             output) == 0;
        }
        if (!ranOk) {
            std::fprintf(stderr, "%s\n", output.c_str());
        }
    }
    static void TearDownTestSuite() { delete folder; }
    void SetUp() override { ASSERT_TRUE(ranOk); }

    static std::string values() { return (folder->path / "values").string(); }
    static std::string page(const std::string& name) { return (folder->path / (name + ".md")).string(); }
    static std::string frenchPage(const std::string& name)
    {
        return (folder->path / "fr" / (name + ".md")).string();
    }

    static TemporaryFolder* folder;
    static bool ranOk;
};
TemporaryFolder* FilledPages::folder = nullptr;
bool FilledPages::ranOk = false;

std::string fileText(const std::string& path)
{
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// The pieces of an answer to look for: each bracketed tuple in a value,
// or each of its lines if it has none; with the words the answer puts
// before it.
std::vector<std::string> answerPieces(const std::string& before, const std::string& value)
{
    std::vector<std::string> pieces;
    const std::regex tuple(R"(\([^()]*\))");
    std::istringstream lines(value);
    std::string line;
    while (std::getline(lines, line)) {
        bool found = false;
        for (std::sregex_iterator i(line.begin(), line.end(), tuple), end; i != end; ++i) {
            pieces.push_back(before + i->str());
            found = true;
        }
        if (!found && !line.empty()) {
            pieces.push_back(before + line);
        }
    }
    return pieces;
}

// One figure of an exercise's answer: a page value, and the words the
// answer puts before it (a bare integer means little without them).
struct AnswerFigure {
    int exercise;
    const char* before;
    const char* value;
};

const AnswerFigure answerFigures[] = {
    {1, "", "e1Right"},       {1, "", "e1Tips"},          {2, "z = ", "e2NearZ"},
    {2, "z = ", "e2FarZ"},    {3, "", "e3Angle"},         {3, "", "e3Exact"},
    {3, "", "e3Trace"},       {4, "", "e4Grow"},          {4, "", "e4Shrink"},
    {5, "", "e5Across"},      {5, "", "e5TanAcross"},     {6, "", "e6Up"},
    {6, "", "e6Across"},      {7, "", "e7GreenStuck"},    {7, "", "e7CyanStuck"},
    {7, "", "e7Ndc"},         {8, "", "e8From"},          {8, "", "e8Gone"},
    {9, "", "e9Side"},        {10, "", "e10Eye"},         {10, "", "e10Clip"},
    {10, "", "e10Device"},    {10, "", "e10Pixel"},       {10, "", "e10Depth"},
};

// The pages a learner reads before the exercises, and the glossary they
// link to.
const char* const earlierPages[] = {"cameras", "stations", "glossary"};

// True if the piece stands in the text on its own: not as part of a longer
// number (no digit, point or minus sign right before it, no digit right
// after it).
bool standsIn(const std::string& text, const std::string& piece)
{
    auto numeric = [](char c) { return (c >= '0' && c <= '9') || c == '.' || c == '-'; };
    for (size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1)) {
        size_t after = at + piece.size();
        bool before = at > 0 && numeric(text[at - 1]);
        bool follows = after < text.size() && text[after] >= '0' && text[after] <= '9';
        if (!before && !follows) {
            return true;
        }
    }
    return false;
}

// Where a piece first stands on the earlier pages, or "" if it stands on none.
std::string foundOn(const std::vector<std::string>& pages, const std::string& piece)
{
    for (size_t i = 0; i < pages.size(); ++i) {
        if (standsIn(pages[i], piece)) {
            return earlierPages[i];
        }
    }
    return "";
}

TEST_F(FilledPages, PrintNoExercisesAnswerOnAnEarlierPage)
{
    std::vector<std::string> pages;
    for (const char* name : earlierPages) {
        pages.push_back(fileText(page(name)));
    }
    for (const AnswerFigure& f : answerFigures) {
        for (const std::string& piece : answerPieces(f.before, fileText(values() + "/" + f.value))) {
            EXPECT_EQ(foundOn(pages, piece), "")
                << "exercise " << f.exercise << "'s answer \"" << piece << "\" (" << f.value << ")";
        }
    }
    // The check finds what the earlier pages do print: the figures the
    // exercises asked for before they were changed.
    const AnswerFigure printed[] = {{5, "", "s2WideAcross"}, {6, "", "s1TallAcross"},
                                    {4, "", "s3NearGrowth"}};
    for (const AnswerFigure& f : printed) {
        EXPECT_NE(foundOn(pages, fileText(values() + "/" + f.value)), "") << f.value;
    }
}

// The handout, split from the exercises' page: every exercise once among
// the questions and once among the answers, and no answer's figure among
// the questions.
TEST_F(FilledPages, HandOutEveryQuestionWithoutItsAnswer)
{
    const size_t exerciseCount = 10;
    HandoutParts parts = handoutParts(fileText(page("exercises")));
    auto count = [](const std::string& text, const std::string& what) {
        size_t n = 0;
        for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
            ++n;
        }
        return n;
    };
    EXPECT_EQ(count(parts.questions, "<h2>"), exerciseCount);
    EXPECT_EQ(count(parts.answers, "<h3>"), exerciseCount);
    EXPECT_EQ(count(parts.questions, "Answer"), 0u);
    for (const AnswerFigure& f : answerFigures) {
        for (const std::string& piece : answerPieces(f.before, fileText(values() + "/" + f.value))) {
            EXPECT_FALSE(standsIn(parts.questions, piece)) << f.value << ": " << piece;
            EXPECT_TRUE(standsIn(parts.answers, piece)) << f.value << ": " << piece;
        }
    }
}

// An exercise's camera as its link gives it to the web page: the kind and
// each argument's value, worked out here on their own (a vector's three
// coordinates by its name).
struct LinkedCamera {
    const char* value;
    const char* kind;
    std::vector<std::pair<std::string, std::vector<double>>> arguments;
};

// The arguments of an address's query, by name, each a list of numbers.
std::map<std::string, std::vector<double>> queryArguments(const std::string& address, std::string& kind)
{
    std::map<std::string, std::vector<double>> arguments;
    std::istringstream query(address.substr(address.find('?') + 1));
    std::string pair;
    while (std::getline(query, pair, '&')) {
        std::string name = pair.substr(0, pair.find('='));
        std::istringstream numbers(pair.substr(pair.find('=') + 1));
        if (name == "kind") {
            kind = numbers.str();
            continue;
        }
        std::string number;
        while (std::getline(numbers, number, ',')) {
            arguments[name].push_back(std::stod(number));
        }
    }
    return arguments;
}

TEST_F(FilledPages, LinkEachCameraToTryInThePagesAddress)
{
    const double d3 = std::sqrt(3.0) * 100.0;
    const double wide = 1280.0 / 720.0;
    const LinkedCamera cameras[] = {
        {"e2MovedAddress", "orthographic",
         {{"left", {-10}}, {"right", {10}}, {"bottom", {-10}}, {"top", {10}}, {"near", {-5}},
          {"far", {15}}, {"eye", {0, 0, 0}}, {"center", {0, 0, -1}}, {"up", {0, 1, 0}}}},
        {"e3Address", "perspective",
         {{"fovy", {20.0 / 40.0 * 180.0 / 3.14159}}, {"aspect", {1}}, {"near", {28}}, {"far", {52}},
          {"eye", {0, 0, 40}}, {"center", {0, 0, 0}}, {"up", {0, 1, 0}}}},
        {"e5Address", "perspective",
         {{"fovy", {20.0 / (std::sqrt(2.0) * 100.0) * 180.0 / 3.14159}}, {"aspect", {wide}},
          {"eye", {100, 0, 100}}}},
        {"e8Address", "perspective",
         {{"near", {d3 - 3.0}}, {"far", {d3 + 12.0}}, {"eye", {100, 100, 100}}}},
        {"e9Address", "perspective", {{"near", {88}}, {"eye", {0, 0, 100}}, {"up", {0, 0, 1}}}},
    };
    // The address writes 4 decimals.
    const double written = 0.5e-4;
    const std::string base = fileText(values() + "/webPage");
    for (const LinkedCamera& c : cameras) {
        std::string address = fileText(values() + "/" + c.value);
        SCOPED_TRACE(address);
        EXPECT_EQ(address.rfind(base + "?", 0), 0u);
        std::string kind;
        std::map<std::string, std::vector<double>> got = queryArguments(address, kind);
        EXPECT_EQ(kind, c.kind);
        const size_t perspectiveCount = 7;
        const size_t orthoCount = 9;
        EXPECT_EQ(got.size(), kind == "perspective" ? perspectiveCount : orthoCount);
        for (const auto& [name, expected] : c.arguments) {
            ASSERT_EQ(got[name].size(), expected.size()) << name;
            for (size_t i = 0; i < expected.size(); ++i) {
                EXPECT_NEAR(got[name][i], expected[i], written) << name << " " << i;
            }
        }
    }
}

// A term of the glossary, as the pages write it, and its entry's anchor.
struct Term {
    const char* pattern;
    const char* anchor;
};

const Term terms[] = {
    {"camera stations?", "camera-station"},
    {"scene coordinates", "scene-coordinates"},
    {"eye", "eye"},
    {"line of sight", "line-of-sight"},
    {"up vector", "up-vector"},
    {"modelview", "modelview-matrix"},
    {"eye coordinates", "eye-coordinates"},
    {"orthographic", "orthographic-projection"},
    {"perspective", "perspective-projection"},
    {"viewing volumes?", "viewing-volume"},
    {"near and far|near plane", "near-and-far-planes"},
    {"fovy", "field-of-view"},
    {"aspect", "aspect"},
    {"base angle", "base-angle"},
    {"projection", "projection-matrix"},
    {"clip coordinates", "clip-coordinates"},
    {"homogeneous", "homogeneous-coordinate-w"},
    {"division by w", "perspective-division"},
    {"normalised device coordinates", "normalised-device-coordinates"},
    {"viewport", "viewport"},
    {"window depth", "window-depth"},
    {"single precision", "single-precision"},
};

// The page's prose as a learner reads it, every character at its place:
// code blocks and spans, HTML tags, headings and links' addresses blanked.
std::string prose(const std::string& page)
{
    std::string text = page;
    auto blank = [&text](const std::regex& what) {
        for (std::sregex_iterator i(text.begin(), text.end(), what), end; i != end; ++i) {
            for (long c = i->position(); c < i->position() + i->length(); ++c) {
                if (text[c] != '\n') {
                    text[c] = ' ';
                }
            }
        }
    };
    blank(std::regex("```[^`]*```"));
    blank(std::regex("`[^`]*`"));
    blank(std::regex("<[^>]*>"));
    blank(std::regex("(^|\n)#[^\n]*"));
    blank(std::regex(R"(\]\([^)]*\))"));
    return text;
}

// True if the first use of the term in the page lies inside the text of a
// link to its glossary entry; also true if the page does not use it.
testing::AssertionResult firstUseLinks(const std::string& page, const Term& term)
{
    std::string text = prose(page);
    std::smatch first;
    std::regex use(std::string("\\b(") + term.pattern + ")\\b", std::regex::icase);
    if (!std::regex_search(text, first, use)) {
        return testing::AssertionSuccess();
    }
    long at = first.position();
    std::regex link(std::string(R"(\[([^\]]*)\]\(glossary\.md#)") + term.anchor + "\\)");
    for (std::sregex_iterator i(page.begin(), page.end(), link), end; i != end; ++i) {
        if (i->position() < at && at < i->position() + 1 + i->length(1)) {
            return testing::AssertionSuccess();
        }
    }
    long line = std::count(page.begin(), page.begin() + at, '\n') + 1;
    return testing::AssertionFailure() << "first uses \"" << first.str() << "\" on line " << line
                                       << " without linking glossary.md#" << term.anchor;
}

TEST_F(FilledPages, LinkEachTermsFirstUseToTheGlossary)
{
    std::vector<std::pair<std::string, std::string>> pages;
    for (const char* name : {"cameras", "stations", "exercises"}) {
        pages.push_back({name, fileText(page(name))});
    }
    pages.push_back({"trace", fileText(std::string(VARNELLE_DOCS_DIR) + "/trace.md")});
    for (const Term& term : terms) {
        for (const auto& [name, text] : pages) {
            EXPECT_TRUE(firstUseLinks(text, term)) << name << ".md, " << term.anchor;
        }
    }
    // The check fails a page whose first use is not a link.
    EXPECT_FALSE(firstUseLinks("A viewport, then a [viewport](glossary.md#viewport).", terms[19]));
    EXPECT_TRUE(firstUseLinks("`glViewport`, then a [viewport](glossary.md#viewport).", terms[19]));
}

// The glossary has an entry for every term the pages link, under a
// heading whose anchor is the link's.
TEST_F(FilledPages, GlossaryHasAnEntryForEveryTerm)
{
    std::string glossary = fileText(page("glossary"));
    for (const Term& term : terms) {
        std::string heading;
        for (const char* c = term.anchor; *c; ++c) {
            heading += *c == '-' ? ' ' : *c;
        }
        std::regex entry("\n### " + heading + "\n", std::regex::icase);
        EXPECT_TRUE(std::regex_search(glossary, entry)) << term.anchor;
    }
}

// The numbers a page gives, each as often as it gives it: French prose's
// decimal comma read as a point, signs aside, and the addresses of links
// and pictures and the HTML tags left out.
std::multiset<std::string> pageNumbers(const std::string& page)
{
    std::string text = std::regex_replace(page, std::regex(R"(\]\([^)]*\)|<[^>]*>|https?://[^\s)]*)"), " ");
    std::multiset<std::string> numbers;
    const std::regex number(R"(\d+([.,]\d+)?)");
    for (std::sregex_iterator i(text.begin(), text.end(), number), end; i != end; ++i) {
        std::string n = i->str();
        std::replace(n.begin(), n.end(), ',', '.');
        numbers.insert(n);
    }
    return numbers;
}

// The placeholders a template fills, each once.
std::set<std::string> placeholders(const std::string& path)
{
    std::string text = fileText(path);
    std::set<std::string> names;
    const std::regex placeholder(R"(\{[a-z][A-Za-z0-9]*\})");
    for (std::sregex_iterator i(text.begin(), text.end(), placeholder), end; i != end; ++i) {
        names.insert(i->str());
    }
    return names;
}

std::string joined(const std::multiset<std::string>& items)
{
    std::string text;
    for (const std::string& item : items) {
        text += " " + item;
    }
    return text;
}

// Each French page fills what its English page fills and gives the same
// numbers, its prose with the decimal comma; the trace's page, written by
// hand in both languages, too.
TEST_F(FilledPages, GiveTheSameNumbersInFrench)
{
    std::vector<std::pair<std::string, std::string>> pages;
    for (const char* name : {"cameras", "stations", "exercises", "glossary"}) {
        pages.push_back({page(name), frenchPage(name)});
        std::string lessons = VARNELLE_LESSONS_DIR;
        EXPECT_EQ(placeholders(lessons + "/" + name + ".md.in"), placeholders(lessons + "/fr/" + name + ".md.in"))
            << name;
    }
    std::string docs = VARNELLE_DOCS_DIR;
    pages.push_back({docs + "/trace.md", docs + "/fr/trace.md"});
    for (const auto& [english, french] : pages) {
        std::multiset<std::string> inEnglish = pageNumbers(fileText(english));
        std::multiset<std::string> inFrench = pageNumbers(fileText(french));
        std::multiset<std::string> englishOnly;
        std::multiset<std::string> frenchOnly;
        std::set_difference(inEnglish.begin(), inEnglish.end(), inFrench.begin(), inFrench.end(),
                            std::inserter(englishOnly, englishOnly.end()));
        std::set_difference(inFrench.begin(), inFrench.end(), inEnglish.begin(), inEnglish.end(),
                            std::inserter(frenchOnly, frenchOnly.end()));
        EXPECT_TRUE(englishOnly.empty() && frenchOnly.empty())
            << french << ": only in English" << joined(englishOnly) << "; only in French" << joined(frenchOnly);
        std::smatch point;
        std::string frenchProse = prose(std::regex_replace(fileText(french), std::regex(R"(https?://\S*)"), " "));
        EXPECT_FALSE(std::regex_search(frenchProse, point, std::regex(R"(\d\.\d)")))
            << french << " writes a decimal point in its prose: " << point.str();
    }
    // The check sees a number lost or changed, and reads a decimal comma as
    // a point.
    EXPECT_NE(pageNumbers("near 88.5, far 112"), pageNumbers("proche 88,5 ; lointain 88,5"));
    EXPECT_EQ(pageNumbers("near 88.5, far 112"), pageNumbers("proche 88,5 ; lointain 112"));
}

// Exercise 8's picture, the viewer's scene with the near plane moved in,
// against the viewer's own picture of station 3 (the tour's): its cut
// shows on at least this share of the pixels. The picture the pages had
// before, near plane 5 units in front of the origin, differed on 0.16 %.
TEST_F(FilledPages, ShowExerciseEightsCut)
{
    const double leastShare = 0.01;
    const int noise = 3;
    drive::Picture cut = drive::loadPng((folder->path / "exercises/near-cut.png").string());
    drive::Picture station = drive::loadPng(std::string(VARNELLE_DOCS_DIR) + "/station-3-perspective.png");
    ASSERT_EQ(cut.width, station.width);
    ASSERT_EQ(cut.height, station.height);
    int differing = 0;
    for (size_t i = 0; i < cut.pixels.size(); ++i) {
        bool same = true;
        for (int c = 0; c < 3; ++c) {
            same = same && std::abs(cut.pixels[i][c] - station.pixels[i][c]) <= noise;
        }
        differing += same ? 0 : 1;
    }
    EXPECT_GE(differing, leastShare * cut.pixels.size());
    EXPECT_EQ(std::to_string(differing), fileText(values() + "/e8Differing"));
}

} // namespace
