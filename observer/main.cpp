// Varnelle documentation program: applies every camera station to every
// window shape in a real GLUT window, checks the calls it makes against the
// camera formulas, reads back what OpenGL got, draws the scene and the
// station's viewing volume from outside, follows one cone's tip to its pixel
// in the viewer's own picture, works out the exercises, and writes the
// pictures and the values of the pages that show them.
//
// Usage: varnelle_stations DOCS_DIR VALUES_DIR
//        varnelle_stations --tour-frames LIST PICTURES_DIR FRAMES_DIR
//        varnelle_stations --pictures WIDTH HEIGHT FOLDER
// The first writes DOCS_DIR/stations/station-N-WxH.png and the pictures of
// DOCS_DIR/exercises/, and into VALUES_DIR the values of the templates
// beside this file (make stations fills them into DOCS_DIR). The second
// captions the tour's pictures for the README's animation (tour_frames.h).
// The third writes FOLDER/stations/station-N-WxH.png for every station in
// a window of WIDTH × HEIGHT pixels, checked as the first checks them (the
// browser test compares the page's outside view at any size with them).
// It needs an X display (make stations runs it on a private one). The
// stations' trace lines and the viewer's frames' go to standard output as in
// the viewer.
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <GL/freeglut.h>
#include <GL/glu.h>

#include "calls.h"
#include "camera/camera.h"
#include "drive.h"
#include "formulas.h"
#include "glut_window.h"
#include "observer.h"
#include "page.h"
#include "pixels.h"
#include "predict.h"
#include "render/render.h"
#include "tour_frames.h"
#include "volume.h"

namespace {

const char pictureFolder[] = "stations";
const char exerciseFolder[] = "exercises";
// Permissions of the folders made, before the umask.
// Make a folder and the folders above it; false, with a message naming it
// and why, when it cannot be made.
bool makeFolder(const std::string& folder)
{
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        std::fprintf(stderr, "stations: cannot make the folder %s: %s\n", folder.c_str(),
                     error.message().c_str());
        return false;
    }
    return true;
}

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
// The viewer's window size for the followed tips and the exercises, pixels.
const int viewerSize = 480;
// The cone followed in every station, and the one the exercises follow.
const int followedCone = 0;
const int exerciseCone = 1;
const int exerciseStation = 2;
// The station every cone is checked in: all six show there.
const int allConesStation = 3;
// How far back from a tip, along its axis, the picture is read, scene units;
// the cone must be at least this many pixels across there.
const double sampleBack = 1.5;
const double minimumSampleWidth = 3.0;
// The colour read there is the cone's own hue, in shade at least: its full
// channels equal, its empty ones equal, and the full ones above the empty
// ones by four times the pictures' noise of 3/255, which no other cone, the
// sphere or the grey background can be.
const double shadeLit = 0.0;
const double shadeContrast = 12.0 / 255.0;
// OpenGL keeps its matrices in single precision: entries agree with the
// formulas' to this many float steps of the largest entry.
const double floatSteps = 8.0;
const double floatStep = 1.0 / (1 << 23);
// The exercises: how far in front of the origin the near plane is moved,
// and the up vector laid along station 1's line of sight.
const double nearCut = 5.0;
const Point3 parallelUp = {0.0, 0.0, 1.0};

// GLUT wants callbacks; this program draws when it chooses, not when asked.
void ignoreDisplay() {}
void ignoreReshape(int, int) {}

bool savePicture(const drive::Picture& picture, const std::string& path)
{
    try {
        drive::savePng(picture, path);
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "stations: %s\n", failure.what());
        return false;
    }
    std::printf("stations: wrote %s\n", path.c_str());
    return true;
}

// True if OpenGL's matrices are the ones the formulas give, to its precision.
bool matricesAgree(int station, const ShapeResult& r)
{
    bool perspective = isPerspective(station);
    Matrix4 projection = perspective
                             ? perspectiveMatrix(perspectiveArguments(station, r.width, r.height))
                             : orthoMatrix(orthoArguments(station, r.width, r.height));
    Matrix4 modelview = perspective ? lookAtMatrix(stationEye(station), stationTarget(station),
                                                   stationUp(station))
                                    : identityMatrix();
    const Matrix4* pairs[2][2] = {{&projection, &r.readBack.projection},
                                  {&modelview, &r.readBack.modelview}};
    for (auto& pair : pairs) {
        double largest = 0.0;
        for (double v : *pair[0]) {
            largest = std::fmax(largest, std::fabs(v));
        }
        for (int i = 0; i < 16; ++i) {
            if (std::fabs((*pair[0])[i] - (*pair[1])[i]) > floatSteps * floatStep * largest) {
                std::fprintf(stderr, "stations: station %d at %dx%d: matrix entry %d is %.9g in "
                             "OpenGL, %.9g by the formulas\n", station, r.width, r.height, i,
                             (*pair[1])[i], (*pair[0])[i]);
                return false;
            }
        }
    }
    return true;
}

// Apply one station to one window shape, check its calls against the
// formulas, and picture it from outside.
bool showStation(int station, int width, int height, const std::string& docsDir,
                 ShapeResult& result)
{
    if (!resizeWindow(width, height)) {
        std::fprintf(stderr, "stations: the window never became %dx%d\n", width, height);
        return false;
    }
    result.width = width;
    result.height = height;
    beginCallRecord();
    stationHandlers[station](width, height);
    result.calls = endCallRecord();
    std::string difference = compareCalls(predictedCalls(station, width, height), result.calls);
    if (!difference.empty()) {
        std::fprintf(stderr, "stations: station %d at %dx%d, %s\n", station, width, height,
                     difference.c_str());
        return false;
    }
    result.readBack = readBackStation();
    if (!matricesAgree(station, result)) {
        return false;
    }
    result.volume = observedVolume(result.readBack);
    if (!result.volume.found) {
        std::fprintf(stderr, "stations: station %d at %dx%d leaves matrices with no inverse\n",
                     station, width, height);
        return false;
    }

    if (!resizeWindow(observerWidth, observerHeight)) {
        std::fprintf(stderr, "stations: the window never became the picture's size\n");
        return false;
    }
    drawObserverPicture(result.volume, observerCaption(station, width, height));
    glutSwapBuffers();
    drive::Picture picture = shownPicture(observerWidth, observerHeight);
    result.picture = std::string(pictureFolder) + "/station-" + std::to_string(station) + "-" +
                     std::to_string(width) + "x" + std::to_string(height) + ".png";
    return savePicture(picture, docsDir + "/" + result.picture) && glGetError() == GL_NO_ERROR;
}

// Follow a cone's tip through the station's matrices as OpenGL holds them,
// and read the viewer's picture a little way back along the cone's axis.
bool followTip(int station, int cone, const ShapeResult& r, const drive::Picture& picture,
               FollowedTip& tip)
{
    const StationReadBack& gl = r.readBack;
    tip.station = station;
    tip.cone = cone;
    tip.tip = followPoint(coneTip(cones[cone]), gl.modelview, gl.projection, gl.viewport);
    tip.sampleBack = sampleBack;
    FollowedPoint sample =
        followPoint(coneTip(cones[cone], sampleBack), gl.modelview, gl.projection, gl.viewport);
    tip.sampleWindow = sample.window;
    // The cone's radius there, carried to pixels at the sample's depth: a
    // point that far off the axis, across the line of sight.
    double radius = coneRadius * sampleBack / coneLength;
    Point3 side = coneTip(cones[cone], sampleBack);
    const Point3& axis = cones[cone].axis;
    int across = std::fabs(axis[0]) > 0.5 ? 1 : 0;
    side[across] += radius;
    FollowedPoint edge = followPoint(side, gl.modelview, gl.projection, gl.viewport);
    tip.sampleRadiusPixels =
        std::hypot(edge.window[0] - sample.window[0], edge.window[1] - sample.window[1]);
    tip.seen = pixelAt(picture, sample.window[0], sample.window[1]);
    tip.showsCone = showsColour(tip.seen, cones[cone].colour, shadeLit, shadeContrast);
    if (!tip.showsCone || 2.0 * tip.sampleRadiusPixels < minimumSampleWidth) {
        std::fprintf(stderr, "stations: station %d: the %s cone's tip lands at (%.1f, %.1f), but "
                     "its picture shows %.3f %.3f %.3f at (%.1f, %.1f), where the cone is %.1f "
                     "pixels across\n", station, cones[cone].colourName, tip.tip.window[0],
                     tip.tip.window[1], tip.seen[0], tip.seen[1], tip.seen[2], sample.window[0],
                     sample.window[1], 2.0 * tip.sampleRadiusPixels);
        return false;
    }
    return true;
}

// The viewer's picture of one station at 480×480; empty if the window
// never took the size.
drive::Picture stationPicture(int station, const std::function<void()>& change = {})
{
    drive::Picture picture = viewerPicture(station, viewerSize, viewerSize, change);
    if (picture.pixels.empty()) {
        std::fprintf(stderr, "stations: the window never became %dx%d\n", viewerSize, viewerSize);
    }
    return picture;
}

// The exercises' pictures and measures.
bool workExercises(const std::vector<std::vector<ShapeResult>>& results, const std::string& docsDir,
                   ExerciseResults& exercises)
{
    if (!makeFolder(docsDir + "/" + exerciseFolder)) {
        return false;
    }
    // Station 1 in a wide window with the aspect left at 1.
    int wideWidth = shapeSizes[1][0];
    int wideHeight = shapeSizes[1][1];
    PerspectiveArguments stuck = perspectiveArguments(1, wideWidth, wideHeight);
    stuck.aspect = 1.0;
    auto loadProjection = [](const PerspectiveArguments& a) {
        return [a] {
            glMatrixMode(GL_PROJECTION);
            glLoadIdentity();
            gluPerspective(a.fovy, a.aspect, a.nearPlane, a.farPlane);
            glMatrixMode(GL_MODELVIEW);
        };
    };
    drive::Picture aspectOne = viewerPicture(1, wideWidth, wideHeight, loadProjection(stuck));
    exercises.aspectOnePicture = std::string(exerciseFolder) + "/aspect-one.png";
    // Station 3 with its near plane moved to D - 5.
    PerspectiveArguments cut = perspectiveArguments(3, viewerSize, viewerSize);
    cut.nearPlane = eyeDistance(stationEye(3)) - nearCut;
    drive::Picture nearCutPicture = stationPicture(3, loadProjection(cut));
    exercises.nearCutPicture = std::string(exerciseFolder) + "/near-cut.png";
    // Station 1 with its up vector along its line of sight.
    drive::Picture parallel = stationPicture(1, [&exercises] {
        Point3 e = stationEye(1);
        Point3 t = stationTarget(1);
        glLoadIdentity();
        gluLookAt(e[0], e[1], e[2], t[0], t[1], t[2],
                  parallelUp[0], parallelUp[1], parallelUp[2]);
        glGetDoublev(GL_MODELVIEW_MATRIX, exercises.parallelUpModelview.data());
    });
    if (aspectOne.pixels.empty() || nearCutPicture.pixels.empty() || parallel.pixels.empty()) {
        return false;
    }
    // Pixels the background's grey does not explain, to the pictures' noise.
    const double fullChannel = 255.0;
    const double noise = 3.0 / fullChannel;
    for (const auto& stored : parallel.pixels) {
        const GLfloat* background = backgroundColours[0];
        bool same = true;
        for (int i = 0; i < 3; ++i) {
            same = same && std::fabs(stored[i] / fullChannel - background[i]) <= noise;
        }
        exercises.parallelUpScenePixels += same ? 0 : 1;
    }
    // The green cone's tip in station 2.
    drive::Picture station2 = stationPicture(exerciseStation);
    return !station2.pixels.empty() &&
           followTip(exerciseStation, exerciseCone, results[exerciseStation][0], station2,
                     exercises.greenTip) &&
           savePicture(aspectOne, docsDir + "/" + exercises.aspectOnePicture) &&
           savePicture(nearCutPicture, docsDir + "/" + exercises.nearCutPicture);
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
    PageValues values;
    putStationsValues(values, results, tips);
    putCamerasValues(values, results, coneTips);
    putExercisesValues(values, results, exercises);
    if (!makeFolder(valuesDir) || !writeValues(valuesDir, values)) {
        std::fprintf(stderr, "stations: cannot write the pages' values into %s\n", valuesDir.c_str());
        return 1;
    }
    std::printf("stations: wrote the pages' values into %s\n", valuesDir.c_str());
    return 0;
}

// Every station's observer picture in a window of width × height pixels.
int writePictures(int width, int height, const std::string& folder)
{
    if (!makeFolder(folder + "/" + pictureFolder)) {
        return 1;
    }
    for (int station = 0; station < stationCount; ++station) {
        ShapeResult result;
        if (!showStation(station, width, height, folder, result)) {
            return 1;
        }
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
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
    int width = 0;
    int height = 0;
    if (argc == picturesArguments && std::string(argv[1]) == "--pictures" &&
        readSize(argv[2], width) && readSize(argv[3], height)) {
        return writePictures(width, height, argv[4]);
    }
    if (argc != documentationArguments) {
        std::fprintf(stderr, "usage: varnelle_stations DOCS_DIR VALUES_DIR\n"
                             "       varnelle_stations --tour-frames LIST PICTURES_DIR FRAMES_DIR\n"
                             "       varnelle_stations --pictures WIDTH HEIGHT FOLDER\n");
        return 2;
    }
    return writeDocumentation(argv[1], argv[2]);
}
