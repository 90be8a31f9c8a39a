// Varnelle: camera stations, one shared set-up serving all four.
#include "camera.h"

#include <cmath>
#include <cstdio>

#include <GL/glu.h>

#include "app/app.h"

const StationHandler stationHandlers[stationCount] = {
    reshapeOrtho, reshapePerspective1, reshapePerspective2, reshapePerspective3};

// Orthographic station, scene units: the narrower side of the window shows
// -10..10, and the depth range is -20..20.
static const double orthoHalfSpan = 10.0;
static const double orthoNear = -20.0;
static const double orthoFar = 20.0;

// Perspective stations: the base angle makes a 20-unit span (scene units)
// fill the view at the eye's distance; the clipping planes lie 12 units either
// side of the origin, which brackets the cones' 10-unit reach.
static const double perspectiveSpan = 20.0;
static const double perspectiveDepth = 12.0;
// Radians to degrees, with pi taken as 3.14159.
static const double degreesPerHalfTurn = 180.0;
static const double piApprox = 3.14159;

// Eye positions of the perspective stations, scene units; all look at the
// scene's origin with +y up.
static const double eyeStation1[3] = {0.0, 0.0, 100.0};
static const double eyeStation2[3] = {100.0, 0.0, 100.0};
static const double eyeStation3[3] = {100.0, 100.0, 100.0};
static const double sceneOrigin[3] = {0.0, 0.0, 0.0};
static const double upDirection[3] = {0.0, 1.0, 0.0};

// Record the size, set the viewport and leave an identity projection current.
// The projection's sides come back in w and h: a zero side (a window can
// report one) would give it an infinite or undefined ratio, so the projection
// takes it as one pixel and stays finite.
static void beginStation(int width, int height, double& w, double& h)
{
    viewerState.windowWidth = width;
    viewerState.windowHeight = height;
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    w = width > 0 ? width : 1.0;
    h = height > 0 ? height : 1.0;
}

// Leave an identity modelview current, ready for the view.
static void beginView()
{
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void reshapeOrtho(int width, int height)
{
    std::printf("RO\n");
    double w = 0.0;
    double h = 0.0;
    beginStation(width, height, w, h);
    // Fit the narrower side of the window to the half-span.
    if (h > w) {
        double r = h * orthoHalfSpan / w;
        glOrtho(-orthoHalfSpan, orthoHalfSpan, -r, r, orthoNear, orthoFar);
    } else {
        double r = w * orthoHalfSpan / h;
        glOrtho(-r, r, -orthoHalfSpan, orthoHalfSpan, orthoNear, orthoFar);
    }
    beginView();
}

// A perspective station: trace name, eye position and the window size.
static void reshapePerspective(const char* name, const double eye[3], int width, int height)
{
    double d = std::sqrt(eye[0] * eye[0] + eye[1] * eye[1] + eye[2] * eye[2]);
    // 20 / D radians in degrees, evaluated left to right.
    double baseAngle = perspectiveSpan / d * degreesPerHalfTurn / piApprox;
    std::printf("%s %6.2lf %6.2lf\n", name, d, baseAngle);
    double w = 0.0;
    double h = 0.0;
    beginStation(width, height, w, h);
    // Once the window is at least as tall as wide, widen the vertical angle
    // with its height-to-width ratio.
    double fovy = h < w ? baseAngle : (h / w) * baseAngle;
    gluPerspective(fovy, w / h, d - perspectiveDepth, d + perspectiveDepth);
    beginView();
    gluLookAt(eye[0], eye[1], eye[2], sceneOrigin[0], sceneOrigin[1], sceneOrigin[2],
              upDirection[0], upDirection[1], upDirection[2]);
}

void reshapePerspective1(int width, int height)
{
    reshapePerspective("RP1", eyeStation1, width, height);
}

void reshapePerspective2(int width, int height)
{
    reshapePerspective("RP2", eyeStation2, width, height);
}

void reshapePerspective3(int width, int height)
{
    reshapePerspective("RP3", eyeStation3, width, height);
}
