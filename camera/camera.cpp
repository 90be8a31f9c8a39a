// Varnelle: camera stations, one shared set-up serving all four.
#include "camera.h"

#include <cmath>
#include <cstdio>

#include <GL/glu.h>

#include "app/app.h"

const StationHandler stationHandlers[stationCount] = {
    reshapeOrtho, reshapePerspective1, reshapePerspective2, reshapePerspective3};

// Eye positions of the perspective stations, scene units; all look at the
// origin with +y up.
static const double eyeStation1[3] = {0.0, 0.0, 100.0};
static const double eyeStation2[3] = {100.0, 0.0, 100.0};
static const double eyeStation3[3] = {100.0, 100.0, 100.0};

// A zero (minimised) side would give the projection an infinite or undefined
// ratio; the projection treats it as one pixel instead, so it stays finite.
static double projectionSide(int side)
{
    return side > 0 ? static_cast<double>(side) : 1.0;
}

// Record the size, set the viewport and leave an identity projection current.
static void beginStation(int width, int height)
{
    viewerState.windowWidth = width;
    viewerState.windowHeight = height;
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
}

// Leave an identity modelview current, ready for the view.
static void beginView()
{
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void reshapeOrtho(int width, int height)
{
    printf("RO\n");
    beginStation(width, height);
    double w = projectionSide(width);
    double h = projectionSide(height);
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
    double d = sqrt(eye[0] * eye[0] + eye[1] * eye[1] + eye[2] * eye[2]);
    // 20 / D radians in degrees, evaluated left to right.
    double baseAngle = perspectiveSpan / d * 180.0 / piApprox;
    printf("%s %6.2lf %6.2lf\n", name, d, baseAngle);
    beginStation(width, height);
    double w = projectionSide(width);
    double h = projectionSide(height);
    // Once the window is at least as tall as wide, widen the vertical angle
    // with its height-to-width ratio.
    double fovy = h < w ? baseAngle : (h / w) * baseAngle;
    gluPerspective(fovy, w / h, d - perspectiveDepth, d + perspectiveDepth);
    beginView();
    gluLookAt(eye[0], eye[1], eye[2], 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
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
