#!/usr/bin/env bash
# Start a Windows program under Wine the way a console on Windows would: with
# its standard streams as given, and without DISPLAY in its environment.
# Wine itself needs DISPLAY to reach the X server, but Windows programs see
# it too, and freeglut's Windows code would take it for its -display option
# (a display device name), warning on standard error that it cannot use it.
# Usage: platform/windows/wine-launch.sh PROGRAM.exe [ARG...]
# Wine's settings (WINEPREFIX, WINEDEBUG ...) come from the environment.
set -eu
program=$1
shift

# Wine joins its arguments into one Windows command line, quoting those with
# blanks; cmd runs "set DISPLAY=" and then the program with its arguments.
# cmd's own characters (& | < > ^) in an argument would reach cmd.
exec wine cmd /c set 'DISPLAY=&' "Z:${program//\//\\}" "$@"
