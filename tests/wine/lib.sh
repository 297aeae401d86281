# Helpers of the Wine scenarios: run quorvane.exe under Wine, answer its message boxes and open
# dialogs with xdotool, compare its standard output and the model folder byte for byte.
# Sourced by scenarios.sh; .ci/windows sets EXE, MODELS, WORK, RESULTS, DISPLAY and WINE* (WINE
# is the loader to run it with, WINESERVER the server).

log() { printf '   %s\n' "$*" >&2; }
fail() { CASE_FAILED=1; log "FAIL: $*"; }
begin() {
    CASE_NAME=$1 CASE_FAILED=0
    printf '== %s\n' "$1" >&2
}

# run LANG ARG...: starts the program in English mode (en: C.UTF-8, code page 1252; enus: en_US.UTF-8,
# code page 1252 as on a Western system), Japanese mode (ja: ja_JP.UTF-8, code page 932) or English
# mode on a Japanese system (en932: Wine takes the language from LC_MESSAGES and the code page from
# LANG). Wine's msgbox channel traces each box's text.
run() {
    local locale=(LC_ALL=C.UTF-8)
    case $1 in
        ja) locale=(LC_ALL=ja_JP.UTF-8) ;;
        enus) locale=(LC_ALL=en_US.UTF-8) ;;
        en932) locale=(-u LC_ALL LANG=ja_JP.UTF-8 LC_MESSAGES=en_US.UTF-8) ;;
    esac
    shift
    env "${locale[@]}" WINEDEBUG=-all,+msgbox timeout 90 "$WINE" "$EXE" "$@" >"$WORK/out" 2>"$WORK/err" &
    PROGRAM_PID=$!
}

# box_shown TEXT: a message box was given TEXT (UTF-8 here), found in Wine's msgbox trace, which
# writes a wide text with \r, \n, \t, \" and \\ escaped and \xxxx for each unit past ASCII.
box_shown() {
    local wide
    wide=$(python3 -c 'import sys
escapes = {"\n": "\\n", "\r": "\\r", "\t": "\\t", "\"": "\\\"", "\\": "\\\\"}
print("".join(escapes.get(c, c if 32 <= ord(c) <= 126 else "\\%04x" % ord(c)) for c in sys.argv[1]), end="")' "$1")
    grep -aqF "MSGBOX_OnInit L\"$wide\"" "$WORK/err" ||
        fail "no box showed L\"$wide\"; shown: $(grep -a MSGBOX_OnInit "$WORK/err" | tr '\n' '|')"
}

# ---- Answering dialogs: only a window that has the keyboard focus takes keys reliably ----------

regex_quote() { printf '%s' "$1" | sed 's/[][\\.*^$()+?{}|]/\\&/g'; }
shown() { xdotool search --onlyvisible --name "^$(regex_quote "$1")\$" 2>/dev/null; }
visible_windows() {
    xdotool search --onlyvisible --name . 2>/dev/null | while read -r w; do xdotool getwindowname "$w" | tr '\n' '|'; done
}

# The X id of the visible window titled exactly $1 once Wine has given it the keyboard focus;
# after 2 s without it, the window is given the focus.
wait_dialog() {
    local deadline=$((SECONDS + 30)) wid seen=0
    while [ $SECONDS -lt $deadline ] && kill -0 "$PROGRAM_PID" 2>/dev/null; do
        wid=$(shown "$1" | head -1)
        if [ -n "$wid" ]; then
            [ "$(xdotool getwindowfocus 2>/dev/null)" = "$wid" ] && { echo "$wid"; return 0; }
            seen=$((seen + 1))
            [ $seen -eq 40 ] && xdotool windowfocus "$wid" 2>/dev/null
        fi
        sleep 0.05
    done
    return 1
}

# wait_gone TITLE WID: 0 once that window is no longer shown (10 s at the most).
wait_gone() {
    local deadline=$((SECONDS + 10))
    while shown "$1" | grep -qx "$2"; do [ $SECONDS -lt $deadline ] || return 1; sleep 0.05; done
}

# answer TITLE ACTION: waits for the dialog, answers it and waits until it has closed, so that
# the next answer cannot reach it. ACTION: "key:<keysym>" or "type:<text>" (typed, then Return).
answer() {
    local wid
    [ $CASE_FAILED -eq 0 ] || return 1 # an earlier step failed: the rest cannot be answered
    wid=$(wait_dialog "$1") || { fail "dialog '$1' never appeared (visible: $(visible_windows))"; return 1; }
    case $2 in
        key:*) xdotool key "${2#key:}" ;;
        # xdotool types non-ASCII by remapping a spare keycode; at the default 12 ms delay Wine
        # sometimes drops one of two consecutive such characters.
        type:*) xdotool type --delay 100 "${2#type:}" && xdotool key Return ;;
    esac
    wait_gone "$1" "$wid" && return 0
    if [[ $2 == key:* ]]; then # the key was lost and the window would still take it
        log "resending ${2#key:} to '$1'"
        xdotool windowfocus "$wid" 2>/dev/null
        xdotool key "${2#key:}"
        wait_gone "$1" "$wid" && return 0
    fi
    fail "dialog '$1' still open after $2 (visible: $(visible_windows))"
}

# box KEY...: answers the program's message boxes in turn.
box() { local key; for key; do answer Quorvane "key:$key" || return 1; done; }

# finish STATUS: waits for the program to end with STATUS; its standard output must begin with a
# banner line "Quorvane  V0.90  ..." (when BANNER is set) and then match $WORK/expect byte for
# byte, and the folder DIR must hold what $MODELS/expect/<its name> holds. Records the result;
# after a failure, whatever the case left open is ended.
finish() {
    local deadline=$((SECONDS + 20)) status=0 banner
    [ $CASE_FAILED -eq 0 ] || deadline=$SECONDS # stuck on a dialog that was not answered
    while kill -0 "$PROGRAM_PID" 2>/dev/null && [ $SECONDS -lt $deadline ]; do sleep 0.05; done
    if kill -0 "$PROGRAM_PID" 2>/dev/null; then
        fail "program still running (visible: $(visible_windows))"
        kill "$PROGRAM_PID" 2>/dev/null
    fi
    wait "$PROGRAM_PID" || status=$?
    [ $status -eq "$1" ] || fail "exit status $status, not $1"
    if [ -n "$BANNER" ]; then
        banner=$(head -n 1 "$WORK/out")
        [[ $banner == "Quorvane  V0.90  "*$'\r' ]] || fail "banner line is '$banner'"
        tail -n +2 "$WORK/out" >"$WORK/out.rest"
    else
        cp "$WORK/out" "$WORK/out.rest"
    fi
    if ! cmp -s "$WORK/expect" "$WORK/out.rest"; then
        fail "standard output differs from the expectation (< expected, > actual):"
        diff <(cat -A "$WORK/expect") <(cat -A "$WORK/out.rest") | sed 's/^/      /' >&2
    fi
    diff -r "$DIR" "$MODELS/expect/${DIR##*/}" >&2 || fail "$DIR is not as expected"
    if [ $CASE_FAILED -eq 0 ]; then
        printf 'PASS %s\n' "$CASE_NAME" >>"$RESULTS" && log ok
    else
        printf 'FAIL %s\n' "$CASE_NAME" >>"$RESULTS"
        "$WINESERVER" -k 2>/dev/null; "$WINESERVER" -w 2>/dev/null || true
    fi
}
