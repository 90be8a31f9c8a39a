// Varnelle: the process-wide viewer state and the window title.
#include "app.h"

// Holds its initial values from process start; never reset.
ViewerState viewerState;

const char windowTitle[] = "Varnelle en OpenGL ";
