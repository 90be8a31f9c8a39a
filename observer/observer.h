// Varnelle documentation: the observer picture. The viewer's scene, drawn by
// its own drawScene with its own lights and material, seen from a fixed
// point outside every station, with one station's viewing volume drawn in:
// its edges, the near and far planes, the eye and its line of sight, each
// labelled with its numbers. A close-up of the volume around the scene takes
// the panels' area, between a caption band above and a legend band below;
// the whole set-up with the eye is an inset at its top left, the scene's
// axes at its bottom left, the cones' colours and axes at its bottom right.
// Cones too dark for the background are outlined.
#pragma once

#include <string>

#include <GL/gl.h>

#include "orbit.h"
#include "palette.h"
#include "volume.h"

// The picture's size is given by its panel size, half its width: the
// documentation's is 480 (a picture 960 pixels wide).
const int observerPanelSize = 480;
// Height of the caption band above the panels and of the legend below,
// pixels, in a picture as wide as the documentation's.
const int observerCaptionBand = 64;
const int observerLegendBand = 104;

// How a picture is laid out. From wideFrom pixels wide (the documentation's
// pictures), the caption's two lines above the panels' area, which is twice
// as wide as tall, the legend in two columns under it and the colour key at
// its right. Narrower (the page's outside view beside the viewer on a
// projector, or on a phone), the text keeps its size: the caption's lines
// are wrapped, the panels' area is taller than half its width, and the
// legend takes one column, each entry wrapped, with the colour key after
// it.
struct ObserverLayout {
    int width = 0;
    int captionBand = 0;
    int panelHeight = 0;
    int legendBand = 0;
    bool wide = true;
};
const int observerWideFrom = 900;
ObserverLayout observerLayout(int panelSize);

// Size of the whole picture for a panel size, in pixels.
inline int observerPictureWidth(int panelSize)
{
    return 2 * panelSize;
}
int observerPictureHeight(int panelSize);
const int observerWidth = observerPictureWidth(observerPanelSize);
const int observerHeight = observerCaptionBand + observerPanelSize + observerLegendBand;

// One station's volume as the observer draws it.
struct ObservedVolume {
    // True for a perspective station: the eye is a point the volume narrows to.
    bool perspective = false;
    VolumeCorners corners{};
    // Perspective: the eye. Orthographic: the view's origin.
    Point3 eye{};
    // False when the matrices enclose no volume (they have no inverse): then
    // none is drawn.
    bool found = false;
};

// Set up a flat overlay of the current window, width by height pixels from
// its bottom left, unlit and in front of everything; the caller saves and
// restores the state it changes (enables, matrices, viewport).
void beginFlatOverlay(int width, int height);
// Text in the pictures' font, in a colour (RGB in [0, 1]), at a pixel
// position of the flat overlay.
void drawText(int x, int y, const GLfloat rgb[3], const std::string& words);

// The viewer's scene as its display() draws it, through the current
// matrices: its three lights placed in scene coordinates, then its sphere
// and cones, filled.
void drawViewerScene();

// The volume a station left in OpenGL, from what was read back: a
// projection that divides by depth is a perspective one.
ObservedVolume observedVolume(const StationReadBack& readBack);

// The name of an axis along which a unit vector points, such as "+z", with
// the minus sign given (ASCII by default, as the pictures' bitmap font has
// it).
std::string axisName(const Point3& axis, const char* minus = "-");

// Choose the language of the pictures' words (observer_words.h) by its
// code: "en" (English, the default) or "fr" (French). Returns 1 if the
// code is one of them, else 0, and the pictures speak English.
extern "C" int observerUseLanguage(const char* code);

// The caption of station 0..3's picture in a window of width × height
// pixels (Latin-1 text), such as "Station 1, perspective, window 480×480",
// in the pictures' language.
std::string observerCaption(int station, int width, int height);

// Draw the picture into the back buffer of the current window, which must be
// at least observerPictureWidth(panelSize) by observerPictureHeight(panelSize)
// pixels; the caption (Latin-1 text) opens the caption band, the volume's
// numbers follow it. The close-up and the inset are seen from the orbit's
// viewpoint. With a second volume, it is drawn too, in secondVolume's style,
// its near plane labelled, and named in the legend.
// A point of the scene, when one is given, is marked in both panels, in
// front of everything.
void drawObserverPicture(const ObservedVolume& volume, const std::string& caption,
                         int panelSize = observerPanelSize,
                         const ObserverOrbit& orbit = ObserverOrbit(),
                         const ObservedVolume* second = nullptr, const Point3* marked = nullptr);
