# The calls a camera station makes, which wrapped_calls.cpp wraps: the
# linker option that sends a program's references to them there first
# (--wrap), for whatever links the wrappers, on the desktop and in the
# browser alike.
set(recorded_calls glViewport glMatrixMode glLoadIdentity glOrtho gluPerspective gluLookAt)
list(TRANSFORM recorded_calls PREPEND "--wrap=")
list(JOIN recorded_calls "," recorded_calls_joined)
set(recorded_calls_link_option "LINKER:${recorded_calls_joined}")
