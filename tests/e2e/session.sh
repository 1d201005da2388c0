# The shared setup of the end-to-end scripts: the real kerfa in a private world (its own HOME,
# XDG folders and program folder) on an X server of its own, driven with xdotool. Source it from
# a script run as `bash SCRIPT KERFA PROGRAM_FOLDER` (what tests/e2e/CMakeLists.txt passes):
#
#     #!/usr/bin/env bash
#     set -euo pipefail
#     source "$(dirname "${BASH_SOURCE[0]}")/session.sh"
#     begin_session "$1" "$2" Themes Help   # the program folder's subfolders the test needs
#     copy_example "The Lighthouse Keeper"  # into $books
#     start_display
#     start_kerfa "$books/The Lighthouse Keeper/The Lighthouse Keeper.kerfa"
#     main=$(window_named "Kerfa Book: 'The Lighthouse Keeper'")
#     ...
#     quit_by alt+f x
#
# and register NAME.sh in tests/e2e/CMakeLists.txt with kerfa_e2e_test(NAME).
#
# Everything waits for what it needs (a window, a file, the program's end) up to $wait_seconds
# (30) and then fails the test, so a loaded machine makes a test slower, not flaky; never rely on
# a fixed sleep alone. On exit, however it comes, the program, the display and the session bus
# are stopped and the temporary folder removed (KERFA_E2E_KEEP=1 keeps it, for a look after a
# failure).
#
# Window titles are matched whole, as extended regular expressions: write a title's "*" as "\*".
#
#   fail MESSAGE...            ends the test with "FAIL: MESSAGE".
#   eventually COMMAND...      runs the command every tenth of a second until it succeeds; false
#                              when it has not within $wait_seconds:
#                                  eventually grep -q "^Width=280" "$ini" || fail "no width"
#   not COMMAND...             succeeds when the command fails (for eventually not ...).
#   begin_session KERFA PROGRAM [FOLDER...]
#                              sets $kerfa, $work (temporary), $books ($work/books); points HOME,
#                              the XDG folders and KERFA_HOME ($work/program, holding copies of
#                              PROGRAM's FOLDERs) into $work; cleans up on exit.
#   begin_installed_session BUILD
#                              installs the build folder BUILD into $work/stage with the prefix
#                              /usr, as a package would (DESTDIR), and sets $kerfa to the staged
#                              program and $shipped to its data ($work/stage/usr/share/kerfa).
#                              HOME and XDG_RUNTIME_DIR point into $work; KERFA_HOME and the XDG
#                              data and config folders are left unset, so the program finds its
#                              folders as an installed one does. For a script run as
#                              `bash SCRIPT BUILD` (kerfa_e2e_test(NAME ARGS ${CMAKE_BINARY_DIR})).
#   copy_example BOOK          copies the program folder's example book BOOK into $books.
#   start_display              starts Xvfb (1280x800) on a free display and exports DISPLAY.
#   start_window_manager       starts openbox on that display and waits until it manages windows
#                              (for focus, activation and stacking as a desktop has them).
#   start_session_bus          starts a D-Bus session bus and lets Qt speak to the accessibility
#                              bus on it (for menu_bar.py).
#   start_kerfa [ARG...]       starts the program in the background ($kerfa_pid; output in
#                              $work/kerfa.log).
#   windows_named TITLE        prints the ids of the shown windows so titled, once there is one.
#   window_named TITLE         prints the id of one of them.
#   another_window_named TITLE ID
#                              prints the id of a shown window so titled other than ID.
#   window_shown TITLE         succeeds when a window so titled is shown.
#   window_gone TITLE          waits until no window so titled is shown.
#   focus WINDOW               gives the window the keyboard focus.
#   file_appears PATH          waits until the file exists.
#   double_click_desk MAIN LEFT TOP
#                              double-clicks the 48-pixel icon whose top-left corner lies at
#                              LEFT, TOP on the desk of the main window MAIN.
#   open_from_desk MAIN LEFT TOP TITLE
#                              double-clicks that icon until a window titled TITLE opens, and
#                              prints its id.
#   open_sheet MAIN SHEET TITLE
#                              the same for the icon of the sheet stored in the file SHEET (.kfa),
#                              at its stored place.
#   quit_by KEY...             presses the keys in the main window $main, then kerfa_ends.
#   kerfa_running              succeeds while the program started last runs.
#   kerfa_ends                 waits until the program has ended, and fails unless it ended well.
#   snapshot FOLDER            prints a checksum of every file below FOLDER.
#   crlf_lines FILE MINIMUM    fails unless FILE has more than MINIMUM lines, each ended by CR LF.

wait_seconds=30
# The desk lies below the main window's menu bar.
menu_bar_height=20

kerfa=""
work=""
books=""
examples=""
shipped=""
main=""
kerfa_pid=""
xvfb_pid=""
bus_pid=""
wm_pid=""

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Each stop may find its process gone already; that must not keep the next from running.
end_session() {
    [ -z "$kerfa_pid" ] || kill "$kerfa_pid" 2>/dev/null || true
    [ -z "$bus_pid" ] || kill "$bus_pid" 2>/dev/null || true
    [ -z "$wm_pid" ] || kill "$wm_pid" 2>/dev/null || true
    [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
    if [ -n "$work" ]; then
        if [ "${KERFA_E2E_KEEP:-}" = 1 ]; then
            echo "kept $work" >&2
        else
            rm -rf "$work"
        fi
    fi
    return 0
}

# The temporary folder with a home and a private runtime folder; removed at the end.
make_work() {
    work=$(mktemp -d)
    trap end_session EXIT
    books="$work/books"
    mkdir -p "$work/home" "$work/runtime" "$books"
    chmod 700 "$work/runtime"
    export HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime"
    unset QT_QPA_PLATFORM
    # A session bus address of its own where nothing listens (start_session_bus starts a bus
    # there when a test needs one): the program never talks to the desktop's bus, and libdbus does
    # not try to start one (which leaks and may leave a daemon behind).
    export DBUS_SESSION_BUS_ADDRESS="unix:path=$work/runtime/bus"
}

begin_session() {
    kerfa=$1
    local program=$2
    shift 2
    make_work
    mkdir -p "$work/data" "$work/config" "$work/program"
    local folder
    for folder in "$@"; do
        cp -r "$program/$folder" "$work/program/"
    done
    export XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config" KERFA_HOME="$work/program"
    examples="$program/Examples"
}

begin_installed_session() {
    local build=$1
    make_work
    unset KERFA_HOME XDG_DATA_HOME XDG_CONFIG_HOME
    DESTDIR="$work/stage" cmake --install "$build" --prefix /usr >"$work/install.log" 2>&1 ||
        fail "the staged install failed: $(cat "$work/install.log")"
    kerfa="$work/stage/usr/bin/kerfa"
    shipped="$work/stage/usr/share/kerfa"
    examples="$shipped/Examples"
    [ -x "$kerfa" ] || fail "no executable in the staged bin/"
}

copy_example() {
    cp -r "$examples/$1" "$books/"
}

# Other test runs on the machine may take the display Xvfb chose at the same moment, so it is
# checked and, if need be, started again. Without -noreset the server starts afresh whenever its
# last client leaves, such as the check here or the program between two starts, and a program
# connecting at that moment is refused.
start_display() {
    local display
    for _ in 1 2 3; do
        exec 3< <(Xvfb -displayfd 1 -screen 0 1280x800x24 -nolisten tcp -noreset 2>/dev/null & echo "pid $!")
        read -r _ xvfb_pid <&3
        if read -r display <&3 && DISPLAY=":$display" xdotool getmouselocation >/dev/null 2>&1; then
            export DISPLAY=":$display"
            return 0
        fi
        kill "$xvfb_pid" 2>/dev/null || true
        xvfb_pid=""
    done
    fail "Xvfb did not start"
}

start_window_manager() {
    openbox --sm-disable >"$work/openbox.log" 2>&1 &
    wm_pid=$!
    eventually window_manager_running || fail "openbox did not start ($(cat "$work/openbox.log"))"
}

window_manager_running() {
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"
}

start_session_bus() {
    dbus-daemon --session --fork --print-address=5 --print-pid=6 5>"$work/bus" 6>"$work/bus.pid" ||
        fail "no session bus"
    DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$work/bus")
    export DBUS_SESSION_BUS_ADDRESS
    bus_pid=$(cat "$work/bus.pid")
    # Qt speaks to the accessibility bus only when asked to.
    export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
}

start_kerfa() {
    "$kerfa" "$@" >"$work/kerfa.log" 2>&1 &
    kerfa_pid=$!
}

eventually() {
    local end=$((SECONDS + wait_seconds))
    until "$@"; do
        [ "$SECONDS" -lt "$end" ] || return 1
        sleep 0.1
    done
}

not() {
    ! "$@"
}

# The ids of the shown windows titled $1, other than $2 if given, go to $found. A search that
# meets a window closing at that moment fails, and is tried again.
found=""
windows_now() {
    found=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | grep -vx -e "${2:-}") || true
    [ -n "$found" ]
}

windows_named() {
    eventually windows_now "$1" || fail "no window titled \"$1\" ($(cat "$work/kerfa.log" 2>/dev/null))"
    echo "$found"
}

window_named() {
    windows_named "$1" | head -n1
}

another_window_named() {
    eventually windows_now "$1" "$2" || fail "no second window titled \"$1\""
    echo "$found" | head -n1
}

window_shown() {
    windows_now "$1"
}

window_gone() {
    eventually not window_shown "$1" || fail "the window \"$1\" stayed open"
}

focus() {
    xdotool windowfocus --sync "$1"
}

file_appears() {
    eventually test -f "$1" || fail "$1 was not written"
}

double_click_desk() {
    # shellcheck disable=SC2034 # all set by the eval, so that it changes no global
    local WINDOW X Y WIDTH HEIGHT SCREEN
    eval "$(xdotool getwindowgeometry --shell "$1")"
    focus "$1"
    xdotool mousemove $((X + $2 + 24)) $((Y + menu_bar_height + $3 + 24))
    sleep 0.2
    xdotool click --repeat 2 --delay 80 1
}

# On a loaded machine the two clicks may reach the program too far apart to make a double-click,
# so an icon that opens nothing within ten seconds is double-clicked again.
open_from_desk() {
    local end=$((SECONDS + wait_seconds))
    until double_click_desk "$1" "$2" "$3" && wait_seconds=10 eventually windows_now "$4"; do
        [ "$SECONDS" -lt "$end" ] || fail "no window titled \"$4\" ($(cat "$work/kerfa.log"))"
    done
    echo "$found" | head -n1
}

open_sheet() {
    local left top
    left=$(sed -n 's/^Left=//p' "$2" | tr -d '\r')
    top=$(sed -n 's/^Top=//p' "$2" | tr -d '\r')
    open_from_desk "$1" "$left" "$top" "$3"
}

quit_by() {
    focus "$main"
    xdotool key --delay 200 "$@"
    kerfa_ends
}

kerfa_running() {
    kill -0 "$kerfa_pid" 2>/dev/null
}

kerfa_ends() {
    eventually not kerfa_running || fail "kerfa did not close"
    wait "$kerfa_pid" || fail "kerfa exited with an error ($(cat "$work/kerfa.log"))"
    kerfa_pid=""
}

snapshot() {
    (cd "$1" && find . -type f -print0 | sort -z | xargs -0 sha256sum)
}

crlf_lines() {
    local lf crlf
    lf=$(tr -cd '\n' <"$1" | wc -c)
    crlf=$(grep -c $'\r$' "$1" || true)
    [ "$lf" -gt "$2" ] && [ "$lf" = "$crlf" ] || fail "line breaks in $1 are not all CR LF ($crlf of $lf)"
}
