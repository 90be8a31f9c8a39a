// Varnelle documentation: the arguments of a camera made by hand, described
// once. Their names, their order (the calls'), the call each goes to, the
// projection it belongs to, its unit and the range the page's slider
// offers: the check names arguments by these names, the web page builds
// its inputs, its address's camera and its messages from this table, and
// hands a camera over in this order.
#pragma once

#include "camera_check.h"

// Which projection an argument belongs to: gluPerspective's lens, glOrtho's
// box, or both (near and far; and the view, which either kind has).
enum class ArgumentUse { perspective, orthographic, both };
// What an argument measures.
enum class ArgumentUnit { degrees, ratio, sceneUnits };

struct CameraArgument {
    // The page's and the check's name: "fovy", "eye-x".
    const char* name;
    // The call it is handed to; none for near and far, which go to the
    // projection's, gluPerspective or glOrtho.
    const char* call;
    ArgumentUse use;
    ArgumentUnit unit;
    // The range and step of the page's slider beside its input; a step of 0:
    // no slider.
    double sliderLowest;
    double sliderHighest;
    double sliderStep;
    // The argument in a camera.
    double& (*in)(CameraArguments& camera);
};

// gluPerspective's fovy and aspect, glOrtho's left, right, bottom and top,
// near and far, then gluLookAt's eye, center and up, x, y and z each.
const int cameraArgumentCount = 17;
extern const CameraArgument cameraArguments[cameraArgumentCount];

// The vectors among them: "eye", "center", "up", whose coordinates are
// named "eye-x" and so on.
const int cameraVectorCount = 3;
extern const char* const cameraVectors[cameraVectorCount];

// A camera from every argument's value in the table's order; a perspective
// or an orthographic one.
CameraArguments cameraFromValues(bool perspective, const double values[cameraArgumentCount]);

// Whether an argument is one of the camera's kind (near, far and the view
// are in both).
bool argumentOfKind(const CameraArgument& argument, bool perspective);
