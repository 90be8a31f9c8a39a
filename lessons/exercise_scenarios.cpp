// Varnelle documentation program: the exercises' scenarios, each the
// viewer's picture with one argument changed (the aspect left at 1 in a
// wide window, a near plane moved into the scene, up laid along the line of
// sight), and the point one exercise follows to its pixel.
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include <GL/glu.h>

#include "formulas.h"
#include "lessons.h"
#include "pixels.h"
#include "render/render.h"

namespace {

// The cone and station the exercises follow, and how far along the cone
// from the origin, scene units.
const int exerciseCone = 1;
const int exerciseStation = 2;
const double exerciseAlong = 5.0;
// The colour read there is the cone's own hue: its full channels above its
// empty ones by four times the pictures' noise of 3/255.
const double hueContrast = 12.0 / 255.0;
// The up vector laid along station 1's line of sight.
const Point3 parallelUp = {0.0, 0.0, 1.0};
// Pictures differ at a pixel where a channel differs by more than their
// noise, of 255.
const int pictureNoise = 3;

int differingPixels(const drive::Picture& a, const drive::Picture& b)
{
    int differing = 0;
    for (size_t i = 0; i < a.pixels.size() && i < b.pixels.size(); ++i) {
        bool same = true;
        for (int c = 0; c < 3; ++c) {
            same = same && std::abs(a.pixels[i][c] - b.pixels[i][c]) <= pictureNoise;
        }
        differing += same ? 0 : 1;
    }
    return differing;
}

} // namespace

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
    // Station 3 with its near plane moved nearer the origin.
    PerspectiveArguments cut = perspectiveArguments(3, viewerSize, viewerSize);
    cut.nearPlane = eyeDistance(stationEye(3)) - nearCutInFront;
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
    drive::Picture station3 = stationPicture(3);
    exercises.nearCutDiffering = differingPixels(nearCutPicture, station3);
    exercises.nearCutPixels = static_cast<int>(nearCutPicture.pixels.size());
    // The point halfway along the green cone in station 2.
    drive::Picture station2 = stationPicture(exerciseStation);
    if (station2.pixels.empty()) {
        return false;
    }
    const StationReadBack& gl = results[exerciseStation][0].readBack;
    exercises.greenMiddle = coneTip(cones[exerciseCone], coneLength - exerciseAlong);
    exercises.greenMiddleFollowed =
        followPoint(exercises.greenMiddle, gl.modelview, gl.projection, gl.viewport);
    const std::array<double, 3>& at = exercises.greenMiddleFollowed.window;
    std::array<double, 3> seen = pixelAt(station2, at[0], at[1]);
    if (!showsColour(seen, cones[exerciseCone].colour, 0.0, hueContrast)) {
        std::fprintf(stderr, "stations: station %d shows %.3f %.3f %.3f at (%.1f, %.1f), not the %s "
                     "cone\n", exerciseStation, seen[0], seen[1], seen[2], at[0], at[1],
                     cones[exerciseCone].colourName);
        return false;
    }
    return savePicture(aspectOne, docsDir + "/" + exercises.aspectOnePicture) &&
           savePicture(nearCutPicture, docsDir + "/" + exercises.nearCutPicture);
}

