// Varnelle documentation: the observer picture. The viewer's scene, drawn by
// its own drawScene with its own lights and material, seen from a fixed
// point outside every station, with one station's viewing volume drawn in:
// its edges, the near and far planes, the eye and its line of sight. Two
// panels side by side: the whole set-up on the left, a close-up of the
// volume around the scene on the right.
#pragma once

#include <string>

#include <GL/gl.h>

#include "volume.h"

// Size of each square panel, and of the whole picture, in pixels.
const int observerPanelSize = 480;
const int observerWidth = 2 * observerPanelSize;
const int observerHeight = observerPanelSize;

// Colours of the picture, RGB in [0, 1]. Each has three different channels,
// so that none can be taken for a colour of the lit scene.
extern const GLfloat observerBackground[3];
extern const GLfloat volumeEdgeColour[3];
extern const GLfloat nearPlaneColour[3];
extern const GLfloat farPlaneColour[3];
extern const GLfloat eyeColour[3];

// One station's volume as the observer draws it.
struct ObservedVolume {
    // True for a perspective station: the eye is a point the volume narrows to.
    bool perspective = false;
    VolumeCorners corners{};
    // Perspective: the eye. Orthographic: the view's origin.
    Point3 eye{};
};

// Draw the picture into the back buffer of the current window, which must be
// at least observerWidth by observerHeight; caption goes at its top left.
void drawObserverPicture(const ObservedVolume& volume, const std::string& caption);
