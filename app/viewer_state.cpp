// Varnelle: the process-wide viewer state and the window title.
#include "app.h"

ViewerState viewerState;

const char windowTitle[] = "Varnelle en OpenGL ";
