# Helpers of the Wine scenarios: run quorvane.exe under Wine, answer its message boxes and
# open dialogs with xdotool, and compare its standard output and written files byte for byte.
# Sourced by .ci/windows, which sets EXE, MODELS, WORK, RESULTS, DISPLAY and the WINE* variables.

log() { printf '   %s\n' "$*" >&2; }

# ---- Expectations -----------------------------------------------------------------------------

# The Windows form of a Linux path as Wine maps it: drive Z: is the root.
win_path() { local p=$1; printf 'Z:%s' "${p//\//\\}"; }

# The expected transcript is written into $EXPECT piece by piece, as the program's own texts
# ("\n" line ends, UTF-8 for Japanese); finish_expect turns it into what reaches the pipe.
expect_reset() { : >"$EXPECT"; }
e() { printf '%s' "$@" >>"$EXPECT"; }

# The C runtime's text mode writes every "\n" as "\r\n"; Japanese texts are Shift-JIS bytes.
finish_expect() {
    local code_page=$1 tmp="$EXPECT.tmp"
    if [ "$code_page" = 932 ]; then iconv -f UTF-8 -t CP932 <"$EXPECT" >"$tmp"; else cp "$EXPECT" "$tmp"; fi
    perl -pe 's/\n/\r\n/g' <"$tmp" >"$EXPECT"
    rm -f "$tmp"
}

# The lines after the banner: the version of Wine's default prefix (Windows 7) and the mode.
expect_startup() {
    case $1 in
        en) e $' on Windows 7 (English mode) \n' ;;
        ja) e $' on Windows 7 (日本語環境) \n' ;;
    esac
}

# readPmx's trace for the scenario models: one vertex, no faces, $3 textures, one material,
# the ten arm bones, nothing after them. $2 is the name shown ("Model: %s").
expect_reader() {
    local path=$1 name=$2 textures=$3
    e "Reading from: $path " $'\n' $'PMX Ver 2.00 \n' "Model: $name " $'\n'
    e $'1 Vertices.\n' $'0 Surfaces.\n' "$textures Textures."$'\n' $'1 Materials.\n' $'10 Bones.\n'
    e $'0 Morphs.\n' $'0 Frames.\n' $'0 Rigid-bodies.\n' $'0 Joints.\n'
    e $'OK. \n' $'PMX 2.0: correctly read-in: OK. \n' $'done. \n' $'\n'
}

# writePatchedPmx's trace, "Save OK." and the saved notice ($3: en or ja).
expect_save() {
    local source=$1 destination=$2 language=$3
    e "Reading from: $source " $'\n' "Writing to  : $destination " $'\n' $'\n'
    e $'Save OK. \n' $'\n'
    if [ "$language" = ja ]; then
        e $' 設定を修復し、 \r\n' $' \r\n' " $destination "$'\r\n' $' \r\n' $' へ保存しました. \r\n'
    else
        e $' Fixed model file  \r\n' $' \r\n' " $destination "$'\r\n' $' \r\n' $' was saved. \r\n'
    fi
    e $'\n'
}

# ---- Running the program ----------------------------------------------------------------------

PROGRAM_PID=
PROGRAM_OUT=

# start_program LOCALE ARGS...: runs the program in the background; its standard output goes to
# $WORK/out (Wine's own lines on standard error are kept apart).
start_program() {
    local locale=$1; shift
    PROGRAM_OUT="$WORK/out"
    LC_ALL=$locale timeout 90 wine "$EXE" "$@" >"$PROGRAM_OUT" 2>"$WORK/err" &
    PROGRAM_PID=$!
}

visible_windows() {
    local w
    for w in $(xdotool search --onlyvisible --name . 2>/dev/null); do
        printf '%s|' "$(xdotool getwindowname "$w" 2>/dev/null)"
    done
}

regex_quote() { printf '%s' "$1" | sed 's/[][\\.*^$()+?{}|]/\\&/g'; }

# The X id of the visible window titled exactly $1, once Wine has given it the keyboard focus
# (the dialog is then ready for keystrokes).
wait_dialog() {
    local pattern="^$(regex_quote "$1")\$" deadline=$((SECONDS + 30)) wid seen=0
    while [ $SECONDS -lt $deadline ]; do
        wid=$(xdotool search --onlyvisible --name "$pattern" 2>/dev/null | head -1 || true)
        if [ -n "$wid" ]; then
            [ "$(xdotool getwindowfocus 2>/dev/null || true)" = "$wid" ] && { echo "$wid"; return 0; }
            seen=$((seen + 1))
            [ $seen -eq 40 ] && xdotool windowfocus "$wid" 2>/dev/null || true
        fi
        kill -0 "$PROGRAM_PID" 2>/dev/null || return 1 # the program ended without it
        sleep 0.05
    done
    return 1
}

window_gone() { ! xdotool search --onlyvisible --name "^$(regex_quote "$1")\$" 2>/dev/null | grep -qx "$2"; }

# wait_gone TITLE WID SECONDS: 0 once that window is no longer shown.
wait_gone() {
    local deadline=$((SECONDS + $3))
    while [ $SECONDS -lt $deadline ]; do
        window_gone "$1" "$2" && return 0
        sleep 0.05
    done
    return 1
}

# answer TITLE ACTION: waits for the dialog, answers it and waits until it has closed, so the
# next answer cannot reach it. ACTION: "key:<keysym>" or "type:<text>" (typed, then Return).
answer() {
    local title=$1 action=$2 wid
    [ $CASE_FAILED -eq 0 ] || return 1 # an earlier step failed: the rest cannot be answered
    if ! wid=$(wait_dialog "$title"); then
        fail "dialog '$title' never appeared (visible: $(visible_windows))"
        return 1
    fi
    case $action in
        key:*) xdotool key "${action#key:}" ;;
        # xdotool types non-ASCII by remapping a spare keycode; at the default 12 ms delay
        # Wine sometimes drops one of two consecutive such characters.
        type:*) xdotool type --delay 100 "${action#type:}"; xdotool key Return ;;
    esac
    wait_gone "$title" "$wid" 10 && return 0
    if [[ $action == key:* ]]; then
        # The key was lost (the window is still up and would take it again): send it once more.
        log "resending ${action#key:} to '$title'"
        xdotool windowfocus "$wid" 2>/dev/null || true
        xdotool key "${action#key:}"
        wait_gone "$title" "$wid" 10 && return 0
    fi
    fail "dialog '$title' still open after $action (visible: $(visible_windows))"
    return 1
}

# finish_program: waits for the program to end; fails the case unless its exit status is 0.
finish_program() {
    local deadline=$((SECONDS + 20)) status
    [ $CASE_FAILED -eq 0 ] || deadline=$SECONDS # stuck on a dialog that was not answered
    while kill -0 "$PROGRAM_PID" 2>/dev/null && [ $SECONDS -lt $deadline ]; do sleep 0.05; done
    if kill -0 "$PROGRAM_PID" 2>/dev/null; then
        fail "program still running (visible: $(visible_windows))"
        kill "$PROGRAM_PID" 2>/dev/null || true
    fi
    status=0
    wait "$PROGRAM_PID" || status=$?
    [ $status -eq 0 ] || fail "exit status $status"
}

# ---- Checks and results -----------------------------------------------------------------------

CASE_NAME=
CASE_FAILED=0

case_begin() {
    CASE_NAME=$1
    CASE_FAILED=0
    EXPECT="$WORK/expect"
    expect_reset
    printf '== %s\n' "$CASE_NAME" >&2
}

fail() {
    CASE_FAILED=1
    log "FAIL: $*"
}

# Standard output against the expectation: the banner line must begin "Quorvane  V0.90  "
# (the rest of it is free), everything after it must match byte for byte.
check_output() {
    local banner rest="$WORK/out.rest"
    banner=$(head -n 1 "$PROGRAM_OUT")
    case $banner in
        "Quorvane  V0.90  "*$'\r') ;;
        *) fail "banner line is '$banner'" ;;
    esac
    tail -n +2 "$PROGRAM_OUT" >"$rest"
    if ! cmp -s "$EXPECT" "$rest"; then
        fail "standard output differs from the expectation (< expected, > actual):"
        diff <(cat -A "$EXPECT") <(cat -A "$rest") | sed 's/^/      /' >&2 || true
    fi
}

# check_file ACTUAL EXPECTED: a written file byte for byte.
check_file() {
    if [ ! -f "$1" ]; then
        fail "missing file $1"
    elif ! cmp -s "$1" "$2"; then
        fail "$1 differs from $2: $(cmp "$1" "$2" 2>&1 | head -1)"
    fi
}

# check_folder DIR NAME...: the folder holds exactly these entries (a save leaves nothing else
# behind, such as a temporary file).
check_folder() {
    local dir=$1 actual wanted; shift
    actual=$(ls -A "$dir" | LC_ALL=C sort | tr '\n' ' ')
    wanted=$(printf '%s\n' "$@" | LC_ALL=C sort | tr '\n' ' ')
    [ "$actual" = "$wanted" ] || fail "$dir holds: $actual(expected: $wanted)"
}

# Records the case's result; after a failure any window or process it left behind is ended.
case_end() {
    if [ $CASE_FAILED -eq 0 ]; then
        printf 'PASS %s\n' "$CASE_NAME" >>"$RESULTS"
        printf '   ok\n' >&2
    else
        printf 'FAIL %s\n' "$CASE_NAME" >>"$RESULTS"
        wineserver -k 2>/dev/null || true
        wineserver -w 2>/dev/null || true
    fi
}
