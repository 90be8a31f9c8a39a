// Varnelle documentation program: the exercises' scenarios, each the
// viewer's picture with one argument changed (the aspect left at 1 in a
// wide window, a near plane moved into the scene, up laid along the line of
// sight), and the tip one exercise follows.
#include <cmath>

#include <GL/glu.h>

#include "formulas.h"
#include "lessons.h"
#include "pixels.h"
#include "render/render.h"

namespace {

// The cone and station the exercises follow.
const int exerciseCone = 1;
const int exerciseStation = 2;
// How far in front of the origin the near plane is moved, and the up
// vector laid along station 1's line of sight.
const double nearCut = 5.0;
const Point3 parallelUp = {0.0, 0.0, 1.0};

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

