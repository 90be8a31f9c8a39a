#!/usr/bin/env bash
# The Windows viewer as built: a console program that needs no DLL beyond
# the system's, whose main reaches freeglut through the entry points that
# hand over the runtime library's exit, not through the plain ones.
# Usage: check_exe.sh EXE MAP (MAP: the link map with cross references)
# Exits with status 77, which ctest reports as skipped, when there is no EXE.
set -u
exe=$1
map=$2
cannot_run=77
if [ ! -f "$exe" ]; then
    echo "no Windows viewer at $exe; make windows builds it"
    exit $cannot_run
fi
objdump=x86_64-w64-mingw32-objdump
failures=0
fail()
{
    echo "FAIL: $*"
    failures=$((failures + 1))
}

headers=$("$objdump" -p "$exe") || { echo "FAIL: $objdump cannot read $exe"; exit 1; }

# Subsystem 3 is the console; 2 would be a GUI program with no console.
grep -Eq '^Subsystem[[:space:]]+0*3[[:space:]]+\(Windows CUI\)' <<<"$headers" ||
    fail "not a console program: $(grep '^Subsystem' <<<"$headers")"

allowed=" ADVAPI32.dll GDI32.dll GLU32.dll KERNEL32.dll msvcrt.dll OPENGL32.dll USER32.dll WINMM.dll "
dlls=$(awk '/DLL Name:/ { print $3 }' <<<"$headers")
[ -n "$dlls" ] || fail "no imported DLL found"
for dll in $dlls; do
    [[ "$allowed" == *" $dll "* ]] || fail "imports $dll, which Windows does not have"
done

# The objects that refer to a symbol, from the map's cross reference table:
# the symbol's line names where it is defined, the indented lines below it
# the objects that use it.
users()
{
    awk -v symbol="$1" '
        /^Cross Reference Table/ { table = 1; next }
        !table { next }
        $1 == symbol && /^[^ ]/ { found = 1; next }
        found && /^ / { print $1; next }
        found { exit }' "$map"
}
for entry in __glutInitWithExit __glutCreateWindowWithExit; do
    users "$entry" | grep -q 'main\.cpp\.obj' || fail "main does not call $entry"
done
for plain in glutInit glutCreateWindow; do
    if users "$plain" | grep -q 'main\.cpp\.obj'; then
        fail "main calls $plain, which does not hand over exit"
    fi
done

if [ "$failures" -ne 0 ]; then
    exit 1
fi
echo "console program; DLLs: $(echo $dlls); main calls __glutInitWithExit and __glutCreateWindowWithExit"
