// Varnelle documentation program: what its parts share. The stations
// applied, checked and pictured (station_checks.cpp), the exercises'
// scenarios (exercise_scenarios.cpp), and the command line that runs them
// (main.cpp).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "drive.h"
#include "observer.h"
#include "page.h"

// Folders of the documentation's pictures, under its folder.
const char pictureFolder[] = "stations";
const char exerciseFolder[] = "exercises";
// The viewer's window size for the followed tips and the exercises, pixels.
const int viewerSize = 480;

// Make a folder and the folders above it; false, with a message naming it
// and why, when it cannot be made.
bool makeFolder(const std::string& folder);
// Save a picture as PNG, saying so; false, with a message, if it cannot.
bool savePicture(const drive::Picture& picture, const std::string& path);

// Apply one station to one window shape, check its calls against the
// formulas and its matrices against theirs, and picture it from outside
// into DOCS_DIR/stations/, with panels of panelSize pixels; false, with a
// message, when a check fails.
bool showStation(int station, int width, int height, const std::string& docsDir,
                 ShapeResult& result, int panelSize = observerPanelSize);
// The station's observer picture, as showStation leaves it, drawn again in
// the pictures' language (observerUseLanguage) into DOCS_DIR/stations/.
bool pictureStation(int station, ShapeResult& result, const std::string& docsDir,
                    int panelSize = observerPanelSize);
// Follow a cone's tip through the station's matrices as OpenGL holds them,
// and read the viewer's picture a little way back along the cone's axis;
// false, with a message, if the picture does not show the cone there.
bool followTip(int station, int cone, const ShapeResult& r, const drive::Picture& picture,
               FollowedTip& tip);
// The viewer's picture of one station at viewerSize × viewerSize, with the
// change made after the station's handler (another projection or view);
// empty, with a message, if the window never took the size.
drive::Picture stationPicture(int station, const std::function<void()>& change = {});

// The cone followed in every station, and the station every cone is
// checked in (all six show there).
const int followedCone = 0;
const int allConesStation = 3;
// The station whose followed tip the depth plot marks and the pages work
// the projection through, and the one they work gluLookAt's rows for.
const int depthPlotStation = 1;
const int lookAtStation = 3;

// The plot of window depth against the distance past the near plane for
// the perspective stations (into DOCS_DIR/stations/), marking one station's
// followed tip that far in front of its eye; false, with a message, if the
// window never took its size or the picture cannot be written.
struct DepthPlot {
    int tipStation = 0;
    double tipDistance = 0.0;
    // The picture, relative to the page's folder.
    std::string picture;
};
bool drawDepthPlot(const std::string& docsDir, DepthPlot& plot, const PageLanguage& language);
// The values of the derivations on docs/stations.md: the projection worked
// through for the plot's station, gluLookAt's rows for lookAtStation, and
// where single precision shows in each perspective station's figures.
void putDerivationValues(PageValues& values, const std::vector<std::vector<ShapeResult>>& results,
                         const std::vector<FollowedTip>& tips, const DepthPlot& plot,
                         const PageLanguage& language);

// What the exercises change, asked once here for the scenarios and the
// page: an eye at another distance, scene units; a near plane moved to this
// many units in front of the origin; other windows, pixels; and the
// orthographic station with other planes.
const double askedDistance = 40.0;
const double nearCutInFront = 3.0;
const int otherBox[2] = {640, 480};
const int otherWide[2] = {1280, 720};
const int otherTall[2] = {480, 720};
const double otherOrthoPlanes[2] = {-5.0, 15.0};

// The exercises' pictures (into DOCS_DIR/exercises/) and measures.
bool workExercises(const std::vector<std::vector<ShapeResult>>& results, const std::string& docsDir,
                   ExerciseResults& exercises);
