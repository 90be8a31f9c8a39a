# Varnelle's shell library: what the scripts behind the make targets share.
# Source it: . "$(dirname "$0")/PATH/TO/tools/lib.sh"

# Run a command as root: directly when we are root, through sudo otherwise.
# Stops with a message saying what needs root when there is no sudo.
as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    elif command -v sudo >/dev/null; then
        sudo "$@"
    else
        echo "$(basename "$0"): needs root, and there is no sudo, for: $*" >&2
        exit 1
    fi
}

# This machine's apt source files, one-line and deb822 (.sources) alike.
apt_source_files="/etc/apt/sources.list and /etc/apt/sources.list.d/"

# This machine's apt entries, one per line in the one-line format, whichever
# format their files use: TYPE [OPTIONS] URI SUITE COMPONENT... A deb822
# stanza gives one line for each of its types, URIs and suites, with its
# Signed-By as an option; disabled stanzas and comments give none.
apt_entries() {
    cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null |
        sed 's/#.*//' | awk '$1 == "deb" || $1 == "deb-src"' || true
    # Each file on its own, so that no stanza runs on into the next file's.
    awk '
        BEGIN { RS = "" }
        {
            delete field
            lines = split($0, line, "\n")
            for (i = 1; i <= lines; i++) {
                if (line[i] ~ /^#/ || !match(line[i], /^[A-Za-z-]+:/)) continue
                key = tolower(substr(line[i], 1, RLENGTH - 1))
                value = substr(line[i], RLENGTH + 1)
                gsub(/^[ \t]+|[ \t]+$/, "", value)
                field[key] = value
            }
            if (tolower(field["enabled"]) == "no") next
            options = field["signed-by"] == "" ? "" : "[signed-by=" field["signed-by"] "] "
            types = split(field["types"], type, " ")
            uris = split(field["uris"], uri, " ")
            suites = split(field["suites"], suite, " ")
            for (t = 1; t <= types; t++)
                for (u = 1; u <= uris; u++)
                    for (s = 1; s <= suites; s++)
                        print type[t], options uri[u], suite[s], field["components"]
        }' /etc/apt/sources.list.d/*.sources 2>/dev/null || true
}

# The URI of the first deb entry whose path ends in /NAME (such as debian or
# debian-security); stops with a message naming the source files if none.
apt_archive_uri() {
    local uri
    uri=$(apt_entries | awk -v name="$1" '
        $1 == "deb" {
            sub(/\[[^]]*\][ \t]*/, "")
            if ($2 ~ ("/" name "/?$")) { print $2; exit }
        }')
    if [ -z "$uri" ]; then
        echo "$(basename "$0"): no Debian archive ending in /$1 in this machine's apt sources" \
            "($apt_source_files); add one there, as apt-get update reads it" >&2
        exit 1
    fi
    echo "${uri%/}"
}

# The sanitizers' options for a run of the sanitized build, with any extra
# options for AddressSanitizer ($1) and UndefinedBehaviorSanitizer ($2).
# Leak detection is off: Mesa's driver and freeglut keep allocations for the
# life of the process, and the viewer by design frees nothing before exit,
# so every run would report them. Every other check stays on, and undefined
# behaviour stops the program.
export_sanitizer_options() {
    export ASAN_OPTIONS="detect_leaks=0${1:+:$1}"
    export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1${2:+:$2}"
}
