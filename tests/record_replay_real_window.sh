#!/bin/bash
# A session played in the real window (SDL, driven by xdotool under the test's X display) and recorded with
# brimvale --record replays in the simulator with the same events; a recording cut off mid-line still replays.
# Run from the build folder: record_replay_real_window.sh
set -u
work=$(mktemp -d)
trap 'kill "$game" 2>/dev/null; rm -rf "$work"' EXIT
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config # default settings, as the simulator starts
mkdir -p "$HOME"
fail() { echo "FAIL: $*" >&2; exit 1; }
command -v xdotool >/dev/null || fail "xdotool is not installed"
[ -n "${DISPLAY:-}" ] || fail "needs an X display (run under xvfb-run)"

stdbuf -oL ./brimvale --record "$work/session.txt" >"$work/played.out" 2>"$work/played.err" &
game=$!
win=$(timeout 30 xdotool search --sync --name '^Brimvale$' | head -1)
[ -n "$win" ] || fail "the game's window did not open"
# The game lays itself out at 1280 x 720; the positions below are in that layout.
at() {
    eval "$(xdotool getwindowgeometry --shell "$win")"
    xdotool mousemove --window "$win" $(($1 * WIDTH / 1280)) $(($2 * HEIGHT / 720))
    sleep 0.2
}
click() { at "$1" "$2"; xdotool click 1; sleep 0.5; }
waitfor() {
    for _ in $(seq 1 120); do grep -q "$1" "$work/played.out" && return 0; sleep 0.25; done
    fail "the game never printed \"$1\""
}

# Past the logo to the main menu, then "Start Game" until the desk is up.
for _ in $(seq 1 60); do
    grep -q "gamescene_init" "$work/played.out" && break
    click 330 63
    sleep 0.5
done
waitfor "gamescene_init"
sleep 2
# Flip two of the login panel's switches (and one back), drag the desk, open and close the manual, pause and go on with Escape.
click 857 70
click 911 70
click 857 70
at 900 400
xdotool mousedown 1
for x in 850 750 650 550 450; do at "$x" 410; done
xdotool mouseup 1
sleep 0.5
click 640 705
sleep 1
click 640 200
xdotool key --window "$win" Escape
sleep 1
xdotool key --window "$win" Escape
sleep 1
kill -TERM "$game" # SDL makes it the window's close
wait "$game"
status=$?
[ $status -eq 0 ] || fail "the game ended with $status: $(cat "$work/played.err")"

session=$work/session.txt
head -1 "$session" | grep -Eq '^# clock [0-9]+ dt [0-9.]+$' || fail "no clock line: $(head -1 "$session")"
for kind in " mouse " " press left" " release left" " press escape" " dt " " close"; do
    grep -q -- "$kind" "$session" || fail "the recording has no \"$kind\" line"
done

./brimvale-sim --input "$session" >"$work/replayed.out" 2>"$work/replayed.err" || fail "replay: $(cat "$work/replayed.err")"
grep -o "Broadcast: .*" "$work/played.out" >"$work/played.events"
grep -o "Broadcast: .*" "$work/replayed.out" >"$work/replayed.events"
[ "$(wc -l <"$work/played.events")" -ge 10 ] || fail "too few events played: $(cat "$work/played.events")"
diff "$work/played.events" "$work/replayed.events" >"$work/diff" || fail "the replay differs: $(cat "$work/diff")"

# The game killed while writing: the last line half there.
size=$(stat -c %s "$session")
head -c $((size - 3)) "$session" >"$work/cut.txt"
./brimvale-sim --input "$work/cut.txt" >"$work/cut.out" 2>"$work/cut.err" || fail "cut-off replay: $(cat "$work/cut.err")"
grep -q "cut-off line" "$work/cut.err" || fail "the cut-off line was not reported: $(cat "$work/cut.err")"
grep -o "Broadcast: .*" "$work/cut.out" | cmp -s - "$work/played.events" || fail "the cut-off replay differs"
echo "recorded $(grep -vc ' dt ' "$session") lines of input over $(grep -c ' dt ' "$session") frames, $(wc -l <"$work/played.events") events; the replay matches"
