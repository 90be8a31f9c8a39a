// Varnelle documentation: a camera set up by hand, as the learner sets one
// on the web page, and what makes its arguments senseless. A camera that
// passes the check can be handed to glOrtho or gluPerspective and gluLookAt:
// the matrices OpenGL builds from it, in its single precision, are finite
// and enclose a volume with finite corners. Plain arithmetic, as formulas.h,
// but for applyCamera, which makes those calls.
#pragma once

#include <string>
#include <vector>

#include "formulas.h"
#include "volume.h"

// A projection (perspective: gluPerspective's lens; orthographic: glOrtho's
// box; near and far are in both, the same) and a view (gluLookAt's eye,
// centre and up), in scene units and degrees.
struct CameraArguments {
    bool perspective = true;
    PerspectiveArguments lens;
    OrthoArguments box;
    Point3 eye{};
    Point3 center{};
    Point3 up{};
};

// Why a camera is senseless: the arguments concerned, by the names the page
// gives its inputs ("fovy", "near", "eye-x"; a whole vector as "eye",
// "center" or "up"), and one plain sentence that names them and says why.
// No arguments and no message: the camera is sound.
struct CameraProblem {
    std::vector<std::string> arguments;
    std::string message;
};

// Largest size of any argument, scene units or degrees: beyond it the
// picture is farther than the page shows.
const double largestArgument = 1.0e6;
// Shortest the up vector and the line of sight (eye to centre) may be,
// scene units: shorter, OpenGL's single precision cannot give them a
// direction.
const double shortestVector = 1.0e-6;
// The up vector counts as along the line of sight when the sine of the angle
// between them is below this (about 0.006 degrees).
const double parallelSine = 1.0e-4;

// The first thing that makes the camera senseless, in the order the page
// lists its inputs; no problem if there is none.
CameraProblem cameraProblem(const CameraArguments& camera);

// The matrices OpenGL builds from a camera (glOrtho or gluPerspective, then
// gluLookAt), column-major, in double precision.
Matrix4 cameraProjection(const CameraArguments& camera);
Matrix4 cameraModelview(const CameraArguments& camera);

// Apply a sound camera with the real calls: glOrtho or gluPerspective on a
// fresh projection matrix, then gluLookAt on a fresh modelview, which stays
// the current matrix. The viewport is the caller's.
void applyCamera(const CameraArguments& camera);
