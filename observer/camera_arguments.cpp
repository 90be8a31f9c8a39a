// Varnelle documentation: the table of a hand-made camera's arguments.
#include "camera_arguments.h"

namespace {

// The sliders' ranges: any angle of view short of 0 and 180 degrees, an
// aspect from a tall to a wide window, planes from behind the scene to past
// the farthest station.
const double fovyLowest = 1.0;
const double fovyHighest = 179.0;
const double fovyStep = 0.1;
const double aspectLowest = 0.1;
const double aspectHighest = 4.0;
const double aspectStep = 0.01;
const double planeLowest = -50.0;
const double planeHighest = 300.0;
const double planeStep = 0.5;
const double noSlider = 0.0;
const int x = 0;
const int y = 1;
const int z = 2;

} // namespace

const CameraArgument cameraArguments[cameraArgumentCount] = {
    {"fovy", "gluPerspective", ArgumentUse::perspective, ArgumentUnit::degrees, fovyLowest,
     fovyHighest, fovyStep, [](CameraArguments& c) -> double& { return c.lens.fovy; }},
    {"aspect", "gluPerspective", ArgumentUse::perspective, ArgumentUnit::ratio, aspectLowest,
     aspectHighest, aspectStep, [](CameraArguments& c) -> double& { return c.lens.aspect; }},
    {"left", "glOrtho", ArgumentUse::orthographic, ArgumentUnit::sceneUnits, 0, 0, noSlider,
     [](CameraArguments& c) -> double& { return c.box.left; }},
    {"right", "glOrtho", ArgumentUse::orthographic, ArgumentUnit::sceneUnits, 0, 0, noSlider,
     [](CameraArguments& c) -> double& { return c.box.right; }},
    {"bottom", "glOrtho", ArgumentUse::orthographic, ArgumentUnit::sceneUnits, 0, 0, noSlider,
     [](CameraArguments& c) -> double& { return c.box.bottom; }},
    {"top", "glOrtho", ArgumentUse::orthographic, ArgumentUnit::sceneUnits, 0, 0, noSlider,
     [](CameraArguments& c) -> double& { return c.box.top; }},
    {"near", nullptr, ArgumentUse::both, ArgumentUnit::sceneUnits, planeLowest, planeHighest,
     planeStep,
     [](CameraArguments& c) -> double& { return c.perspective ? c.lens.nearPlane : c.box.nearPlane; }},
    {"far", nullptr, ArgumentUse::both, ArgumentUnit::sceneUnits, planeLowest, planeHighest,
     planeStep,
     [](CameraArguments& c) -> double& { return c.perspective ? c.lens.farPlane : c.box.farPlane; }},
    {"eye-x", "gluLookAt", ArgumentUse::both, ArgumentUnit::sceneUnits, 0, 0, noSlider,
     [](CameraArguments& c) -> double& { return c.eye[x]; }},
    {"eye-y", "gluLookAt", ArgumentUse::both, ArgumentUnit::sceneUnits, 0, 0, noSlider,
     [](CameraArguments& c) -> double& { return c.eye[y]; }},
    {"eye-z", "gluLookAt", ArgumentUse::both, ArgumentUnit::sceneUnits, 0, 0, noSlider,
     [](CameraArguments& c) -> double& { return c.eye[z]; }},
    {"center-x", "gluLookAt", ArgumentUse::both, ArgumentUnit::sceneUnits, 0, 0, noSlider,
     [](CameraArguments& c) -> double& { return c.center[x]; }},
    {"center-y", "gluLookAt", ArgumentUse::both, ArgumentUnit::sceneUnits, 0, 0, noSlider,
     [](CameraArguments& c) -> double& { return c.center[y]; }},
    {"center-z", "gluLookAt", ArgumentUse::both, ArgumentUnit::sceneUnits, 0, 0, noSlider,
     [](CameraArguments& c) -> double& { return c.center[z]; }},
    {"up-x", "gluLookAt", ArgumentUse::both, ArgumentUnit::sceneUnits, 0, 0, noSlider,
     [](CameraArguments& c) -> double& { return c.up[x]; }},
    {"up-y", "gluLookAt", ArgumentUse::both, ArgumentUnit::sceneUnits, 0, 0, noSlider,
     [](CameraArguments& c) -> double& { return c.up[y]; }},
    {"up-z", "gluLookAt", ArgumentUse::both, ArgumentUnit::sceneUnits, 0, 0, noSlider,
     [](CameraArguments& c) -> double& { return c.up[z]; }},
};

const char* const cameraVectors[cameraVectorCount] = {"eye", "center", "up"};

bool argumentOfKind(const CameraArgument& argument, bool perspective)
{
    return argument.use == ArgumentUse::both ||
           (argument.use == ArgumentUse::perspective) == perspective;
}

CameraArguments cameraFromValues(bool perspective, const double values[cameraArgumentCount])
{
    CameraArguments camera;
    camera.perspective = perspective;
    for (int i = 0; i < cameraArgumentCount; ++i) {
        if (argumentOfKind(cameraArguments[i], perspective)) {
            cameraArguments[i].in(camera) = values[i];
        }
    }
    return camera;
}
