// Varnelle documentation program: each station applied in the program's
// window, its calls and matrices checked against the camera formulas, its
// volume pictured from outside, and a cone's tip followed to its pixel in
// the viewer's own picture.
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include <GL/freeglut.h>

#include "calls.h"
#include "camera/camera.h"
#include "formulas.h"
#include "lessons.h"
#include "observer.h"
#include "pixels.h"
#include "predict.h"

namespace {

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
// A window depth through OpenGL's matrices agrees with the closed form,
// far · (d - near) / ((far - near) · d), to this much.
const double depthAgreement = 1e-5;

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

} // namespace

// Apply one station to one window shape, check its calls against the
// formulas, and picture it from outside.
bool showStation(int station, int width, int height, const std::string& docsDir,
                 ShapeResult& result, int panelSize)
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
    return pictureStation(station, result, docsDir, panelSize);
}

bool pictureStation(int station, ShapeResult& result, const std::string& docsDir, int panelSize)
{
    int pictureWidth = observerPictureWidth(panelSize);
    int pictureHeight = observerPictureHeight(panelSize);
    if (!resizeWindow(pictureWidth, pictureHeight)) {
        std::fprintf(stderr, "stations: the window never became the picture's size\n");
        return false;
    }
    drawObserverPicture(result.volume, observerCaption(station, result.width, result.height), panelSize);
    glutSwapBuffers();
    drive::Picture picture = shownPicture(pictureWidth, pictureHeight);
    result.picture = std::string(pictureFolder) + "/station-" + std::to_string(station) + "-" +
                     std::to_string(result.width) + "x" + std::to_string(result.height) + ".png";
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
    if (isPerspective(station)) {
        double byFormula = windowDepth(perspectiveArguments(station, r.width, r.height), -tip.tip.eye[2]);
        if (std::fabs(byFormula - tip.tip.window[2]) > depthAgreement) {
            std::fprintf(stderr, "stations: station %d: the %s cone's tip has depth %.7f through "
                         "OpenGL's matrices, %.7f by the depth formula\n", station,
                         cones[cone].colourName, tip.tip.window[2], byFormula);
            return false;
        }
    }
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
drive::Picture stationPicture(int station, const std::function<void()>& change)
{
    drive::Picture picture = viewerPicture(station, viewerSize, viewerSize, change);
    if (picture.pixels.empty()) {
        std::fprintf(stderr, "stations: the window never became %dx%d\n", viewerSize, viewerSize);
    }
    return picture;
}

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

