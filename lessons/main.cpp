// Varnelle documentation program: applies every camera station to every
// window shape in a real GLUT window, checks the calls it makes against the
// camera formulas, reads back what OpenGL got, draws the scene and the
// station's viewing volume from outside, follows one cone's tip to its pixel
// in the viewer's own picture, works out the exercises, and writes the
// pictures and the values of the pages that show them.
//
// Usage: varnelle_stations DOCS_DIR VALUES_DIR
//        varnelle_stations --tour-frames LIST PICTURES_DIR FRAMES_DIR
//        varnelle_stations --pictures WIDTH HEIGHT FOLDER [PANEL]
//        varnelle_stations --features FILE.png
//        varnelle_stations --handout EXERCISES_MD VALUES_DIR
// The first writes DOCS_DIR/stations/station-N-WxH.png and the pictures of
// DOCS_DIR/exercises/, and into VALUES_DIR the values of the templates
// beside this file (make stations fills them into DOCS_DIR); and in French,
// the pictures with words into DOCS_DIR/fr/stations/ and the values of the
// templates of fr/ beside this file into VALUES_DIR/fr. The second
// captions the tour's pictures for the README's animation (tour_frames.h).
// The third writes FOLDER/stations/station-N-WxH.png for every station in
// a window of WIDTH × HEIGHT pixels, checked as the first checks them, with
// panels of PANEL pixels (480 unless given): the browser test compares the
// page's outside view, drawn at the size it is shown, with them. The fourth
// writes the feature card (observer/feature_card.h). The fifth reads the
// exercises' page as make stations fills it and writes the handout's
// questions and answers, as HTML, into VALUES_DIR (handoutQuestions,
// handoutAnswers); it needs no display.
// It needs an X display (make stations runs it on a private one). The
// stations' trace lines and the viewer's frames' go to standard output as in
// the viewer.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <GL/freeglut.h>

#include "camera/camera.h"
#include "feature_card.h"
#include "glut_window.h"
#include "handout.h"
#include "lessons.h"
#include "observer.h"
#include "observer_words.h"
#include "page.h"
#include "pixels.h"
#include "render/render.h"
#include "tour_frames.h"

namespace {

// GLUT wants callbacks; this program draws when it chooses, not when asked.
void ignoreDisplay() {}
void ignoreReshape(int, int) {}

// A window size given on the command line: a whole number of pixels, from
// 1 up to what an X server takes, and nothing after it.
bool readSize(const char* text, int& size)
{
    const long largestSize = 16384;
    char* end = nullptr;
    errno = 0;
    long value = std::strtol(text, &end, 10);
    if (errno != 0 || end == text || *end != '\0' || value < 1 || value > largestSize) {
        return false;
    }
    size = static_cast<int>(value);
    return true;
}

// One language's pictures with words, the observer pictures (drawn again
// unless the checks drew them in it) and the depth plot, and its pages'
// values, into its folders (page_words.h).
bool writeLanguage(const PageLanguage& language, std::vector<std::vector<ShapeResult>>& results,
                   const std::vector<FollowedTip>& tips, const ExerciseResults& exercises,
                   const std::string& docsDir, const std::string& valuesDir)
{
    const ObserverLanguage* drawnIn = &observerLanguage();
    observerUseLanguage(language.code);
    std::string docs = languageFolder(docsDir, language);
    std::string valuesFolder = languageFolder(valuesDir, language);
    for (int station = 0; &observerLanguage() != drawnIn && station < stationCount; ++station) {
        for (ShapeResult& result : results[station]) {
            if (!makeFolder(docs + "/" + pictureFolder) || !pictureStation(station, result, docs)) {
                return false;
            }
        }
    }
    DepthPlot plot;
    plot.tipStation = depthPlotStation;
    plot.tipDistance = -tips[depthPlotStation].tip.eye[2];
    if (!drawDepthPlot(docs, plot, language)) {
        return false;
    }
    PageValues values;
    putStationsValues(values, results, tips, language);
    putDerivationValues(values, results, tips, plot, language);
    putCamerasValues(values, results, language);
    putExercisesValues(values, exercises, language);
    if (!makeFolder(valuesFolder) || !writeValues(valuesFolder, values)) {
        std::fprintf(stderr, "stations: cannot write the pages' values into %s\n", valuesFolder.c_str());
        return false;
    }
    std::printf("stations: wrote the pages' values into %s\n", valuesFolder.c_str());
    return true;
}

int writeDocumentation(const std::string& docsDir, const std::string& valuesDir)
{
    if (!makeFolder(docsDir + "/" + pictureFolder)) {
        return 1;
    }
    std::vector<std::vector<ShapeResult>> results(stationCount,
                                                  std::vector<ShapeResult>(shapeCount));
    for (int station = 0; station < stationCount; ++station) {
        for (int shape = 0; shape < shapeCount; ++shape) {
            if (!showStation(station, shapeSizes[shape][0], shapeSizes[shape][1], docsDir,
                             results[station][shape])) {
                return 1;
            }
        }
    }
    std::printf("stations: every station's calls are the camera formulas', exactly\n");
    // One tip followed in each station's own picture, and every cone in one.
    std::vector<FollowedTip> tips(stationCount);
    std::vector<FollowedTip> coneTips(coneCount);
    for (int station = 0; station < stationCount; ++station) {
        drive::Picture picture = stationPicture(station);
        if (picture.pixels.empty() ||
            !followTip(station, followedCone, results[station][0], picture, tips[station])) {
            return 1;
        }
        for (int cone = 0; station == allConesStation && cone < coneCount; ++cone) {
            if (!followTip(station, cone, results[station][0], picture, coneTips[cone])) {
                return 1;
            }
        }
    }
    std::printf("stations: every followed tip shows its cone's colour in the viewer's picture\n");
    ExerciseResults exercises;
    if (!workExercises(results, docsDir, exercises)) {
        return 1;
    }
    for (const PageLanguage* language : pageLanguages) {
        if (!writeLanguage(*language, results, tips, exercises, docsDir, valuesDir)) {
            return 1;
        }
    }
    return 0;
}

// Every station's observer picture in a window of width × height pixels,
// with panels of panelSize pixels.
int writePictures(int width, int height, const std::string& folder, int panelSize)
{
    if (!makeFolder(folder + "/" + pictureFolder)) {
        return 1;
    }
    for (int station = 0; station < stationCount; ++station) {
        ShapeResult result;
        if (!showStation(station, width, height, folder, result, panelSize)) {
            return 1;
        }
    }
    return 0;
}

// The handout's questions and answers, from the filled exercises' page.
int writeHandoutParts(const std::string& exercisesPage, const std::string& valuesDir)
{
    std::ifstream file(exercisesPage);
    std::stringstream page;
    page << file.rdbuf();
    if (!file) {
        std::fprintf(stderr, "stations: cannot read %s\n", exercisesPage.c_str());
        return 1;
    }
    HandoutParts parts = handoutParts(page.str());
    PageValues values = {{"handoutQuestions", parts.questions}, {"handoutAnswers", parts.answers}};
    if (!makeFolder(valuesDir) || !writeValues(valuesDir, values)) {
        std::fprintf(stderr, "stations: cannot write the handout's values into %s\n", valuesDir.c_str());
        return 1;
    }
    return 0;
}

// The feature card, as this machine's OpenGL draws it, into a PNG file.
bool writeFeatureCard(const std::string& file)
{
    if (!resizeWindow(observerWidth, observerHeight)) {
        std::fprintf(stderr, "stations: the window never became the picture's size\n");
        return false;
    }
    glDrawBuffer(GL_BACK);
    drawFeatureCard();
    glutSwapBuffers();
    drive::Picture shown = shownPicture(observerWidth, observerHeight);
    drive::Picture card;
    card.width = featureCardWidth;
    card.height = featureCardHeight;
    // The card lies at the window's bottom left; pictures count rows from the top.
    for (int y = observerHeight - featureCardHeight; y < observerHeight; ++y) {
        for (int x = 0; x < featureCardWidth; ++x) {
            card.pixels.push_back(shown.at(x, y));
        }
    }
    return glGetError() == GL_NO_ERROR && savePicture(card, file);
}

} // namespace

int main(int argc, char** argv)
{
    const int handoutArguments = 4;
    if (argc == handoutArguments && std::string(argv[1]) == "--handout") {
        return writeHandoutParts(argv[2], argv[3]);
    }
    openWindowAsTheViewerDoes(&argc, argv, "Varnelle stations", observerWidth, observerHeight, 0, 0);
    initRendering();
    glutDisplayFunc(ignoreDisplay);
    glutReshapeFunc(ignoreReshape);
    const int documentationArguments = 3;
    const int tourArguments = 5;
    const int picturesArguments = 5;
    if (argc == tourArguments && std::string(argv[1]) == "--tour-frames") {
        return makeFolder(argv[4]) && writeTourFrames(argv[2], argv[3], argv[4]) ? 0 : 1;
    }
    const int featuresArguments = 3;
    if (argc == featuresArguments && std::string(argv[1]) == "--features") {
        return writeFeatureCard(argv[2]) ? 0 : 1;
    }
    int width = 0;
    int height = 0;
    int panelSize = observerPanelSize;
    if ((argc == picturesArguments || argc == picturesArguments + 1) &&
        std::string(argv[1]) == "--pictures" && readSize(argv[2], width) &&
        readSize(argv[3], height) &&
        (argc == picturesArguments || readSize(argv[picturesArguments], panelSize))) {
        return writePictures(width, height, argv[4], panelSize);
    }
    if (argc != documentationArguments) {
        std::fprintf(stderr, "usage: varnelle_stations DOCS_DIR VALUES_DIR\n"
                             "       varnelle_stations --tour-frames LIST PICTURES_DIR FRAMES_DIR\n"
                             "       varnelle_stations --pictures WIDTH HEIGHT FOLDER [PANEL]\n"
                             "       varnelle_stations --features FILE.png\n"
                             "       varnelle_stations --handout EXERCISES_MD VALUES_DIR\n");
        return 2;
    }
    return writeDocumentation(argv[1], argv[2]);
}
