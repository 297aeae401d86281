# The Wine scenarios: the rows of tests/e2e/scenarios.cpp that have Wine answers, as
# wine_cases wrote them into $MODELS. Each case runs quorvane.exe, answers its dialogs as a user
# would, and must print its transcript after the banner line and leave its folder as
# $MODELS/expect/<name> holds it. Run by .ci/windows.
source "$(dirname "$0")/lib.sh"

for case in "$MODELS"/cases/*.case; do
    source "$case"
    [[ $NAME =~ ${QV_WINE_CASES:-.} ]] || continue # a developer's choice of cases (a regex)
    begin "$NAME"
    cp "${case%.case}.expect" "$WORK/expect"
    if [ -n "$WINVER" ]; then
        timeout 60 "$WINE" winecfg -v "$WINVER" >/dev/null 2>&1 || fail "winecfg -v $WINVER failed"
    fi
    pushd "$CWD" >/dev/null && run "$CASE_LANG" "${ARGS[@]}" && popd >/dev/null
    for reply in "${ANSWERS[@]}"; do
        case $reply in
            *=*) answer "${reply%%=*}" "${reply#*=}" ;;
            *) box "$reply" ;;
        esac
    done
    [ -z "$BOX" ] || box_shown "$BOX"
    finish "$STATUS"
done
