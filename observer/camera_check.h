// Varnelle documentation: a camera set up by hand, as the learner sets one
// on the web page, and the check of its arguments. A camera that passes the
// check can be handed to glOrtho or gluPerspective and gluLookAt: the
// matrices OpenGL builds from it, in its single precision, are finite and
// enclose a volume with finite corners. The check gives a reason and the
// arguments concerned, never words: whoever shows the verdict words it in
// its reader's language. Plain arithmetic, as formulas.h, but for
// applyCamera, which makes those calls.
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

// What the check found. The senseless reasons stop the camera before it
// reaches OpenGL; the surprising ones come with a sound camera, which is
// applied and drawn.
enum class CameraReason {
    // Sound, nothing to say.
    none,
    // Senseless: a value that is no number, or beyond what the page shows.
    notANumber,
    outOfRange,
    // Senseless: a projection with no volume, or a lens that sees nothing.
    fovyNotPositive,
    fovyNotBelowHalfTurn,
    aspectNotPositive,
    nearNotInFront,
    farNotInFront,
    noWidth,
    noHeight,
    noDepth,
    // Senseless: a view with no direction.
    eyeAtCenter,
    upOfLengthZero,
    upAlongSight,
    // Senseless: OpenGL's single precision cannot hold the volume across,
    // up and down, or in depth, or the view so far from the scene's sizes.
    precisionAcross,
    precisionUp,
    precisionDepth,
    precisionView,
    // Sound but surprising: the far plane nearer than the near one (depth
    // comes out reversed), or an angle of view close to a half turn.
    depthReversed,
    fovyNearHalfTurn,
};

// A reason and the arguments it concerns, by the names the page gives its
// inputs ("fovy", "near", "eye-x"; a whole vector as "eye", "center" or
// "up"). No reason and no arguments: the camera is sound.
struct CameraVerdict {
    CameraReason reason = CameraReason::none;
    std::vector<std::string> arguments;
};

// The reason's name as the page knows it ("fovyNotPositive").
const char* reasonName(CameraReason reason);
// Whether a camera with this verdict may reach OpenGL: it is sound, perhaps
// surprising.
bool cameraApplies(const CameraVerdict& verdict);

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
// Two arguments count as the same value (left and right, near and far) when
// they differ by less than this share of the larger: single precision holds
// about seven digits.
const double sameValueShare = 1.0e-6;
// An angle of view from this many degrees up to 180 is sound but stretches
// the picture's edges beyond recognition, degrees.
const double nearHalfTurnDegrees = 170.0;

// The check: the first thing that makes the camera senseless, in the order
// the page lists its inputs, else what is surprising about it, else nothing.
CameraVerdict checkCamera(const CameraArguments& camera);

// The matrices OpenGL builds from a camera (glOrtho or gluPerspective, then
// gluLookAt), column-major, in double precision.
Matrix4 cameraProjection(const CameraArguments& camera);
Matrix4 cameraModelview(const CameraArguments& camera);

// Apply a sound camera with the real calls: glOrtho or gluPerspective on a
// fresh projection matrix, then gluLookAt on a fresh modelview, which stays
// the current matrix. The viewport is the caller's.
void applyCamera(const CameraArguments& camera);
