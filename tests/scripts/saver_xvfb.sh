#!/usr/bin/env bash
# quillosaver on a real X server (Xvfb), driven with xdotool:
#   saver_xvfb.sh QUILLOSAVER
# Exits 77 (skipped) when Xvfb, xdotool, xlogo or xwd are missing.
set -uo pipefail
saver=$1
for tool in Xvfb xdotool xlogo xwd python3; do
  command -v $tool >/dev/null 2>&1 || { echo "skipped: $tool is not installed"; exit 77; }
done
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
  rm -rf "$work"
}
trap cleanup EXIT

# -noreset: by default the server resets whenever its last client leaves, and a
# client that connects during the reset (the saver after an xdotool call) fails.
Xvfb -displayfd 3 -noreset -screen 0 800x600x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
[ -s "$work/display" ] || { echo "Xvfb did not start"; exit 1; }
export DISPLAY=":$(head -1 "$work/display")"
# The server answers before the first test starts.
for _ in $(seq 100); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.05; done
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/run" SDL_AUDIODRIVER=dummy
unset QT_QPA_PLATFORM
# In sanitizer builds: libdbus's own leaks are not ours.
export LSAN_OPTIONS="suppressions=$source_dir/tests/scripts/lsan_system.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
mkdir -p "$XDG_CONFIG_HOME/Quillo Proj" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
printf '[General]\nFile%%20Name=%s\nSpeed=40\n' "$source_dir/examples/robot_show.md7" \
  > "$XDG_CONFIG_HOME/Quillo Proj/Screen Saver.conf"

failures=0
check() { # check WHAT CONDITION...
  local what=$1; shift
  if "$@"; then echo "ok: $what"; else echo "FAILED: $what"; failures=$((failures + 1)); fi
}
wait_window() { # wait_window NAME: the id of the first window of that name
  for _ in $(seq 100); do
    local id
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.05
  done
  return 1
}
alive() { kill -0 "$1" 2>/dev/null; }
ends_with() { # ends_with PID STATUS: the process ends within 5 s with STATUS
  for _ in $(seq 100); do alive "$1" || break; sleep 0.05; done
  alive "$1" && return 1
  wait "$1"
  [ $? -eq "$2" ]
}
# Pixels of an xwd picture of a window: "COLOURED BLACK WHITE" (coloured:
# red, green and blue not all equal; the xlogo window is all grey).
pixel_counts() {
  xwd -silent -id "$1" | python3 -c '
import struct, sys
d = sys.stdin.buffer.read()
header = struct.unpack(">25I", d[:100])
size, ncolors = header[0], header[19]
pixels = d[size + 12 * ncolors:]
coloured = black = white = 0
for i in range(0, len(pixels) - 3, 4):
    b, g, r = pixels[i], pixels[i + 1], pixels[i + 2]
    coloured += not (r == g == b)
    black += r == g == b == 0
    white += r == g == b == 255
print(coloured, black, white)'
}
coloured() { set -- $(pixel_counts "$1"); echo "$1"; }
# Our black window with white-boxed text on it, rather than the grey xlogo.
text_drawn() { set -- $(pixel_counts "$1"); [ "$2" -gt 38400 ] && [ "$3" -gt 100 ]; }

# Saver mode: 1 pixel leaves it running, 2 pixels end it.
xdotool mousemove 400 300
"$saver" -s & pid=$!; pids+=($pid)
check "the saver window opens" eval 'wait_window "Quillo Screen Saver" >/dev/null'
sleep 0.5
xdotool mousemove 100 100; sleep 0.3
xdotool mousemove 101 100; sleep 0.3
check "a movement of 1 pixel leaves the saver running" alive $pid
"$saver" -s & second=$!; pids+=($second)
check "a second saver ends at once with 0" ends_with $second 0
xdotool mousemove 102 100
check "a movement of 2 pixels ends the saver with 0" ends_with $pid 0

# Any key ends it.
"$saver" -s & pid=$!; pids+=($pid)
id=$(wait_window "Quillo Screen Saver")
sleep 0.5
xdotool key --window "$id" a 2>/dev/null || xdotool key a
check "a key ends the saver with 0" ends_with $pid 0

# xscreensaver mode in a window of another program, ended by SIGTERM.
# (xlogo, not xev: xev redirects its children's map requests and never grants them.)
xlogo -geometry 320x240+10+10 -title quillo-test-parent -bg gray -fg gray >/dev/null 2>&1 & host=$!; pids+=($host)
parent=$(wait_window quillo-test-parent)
"$saver" -window-id "$parent" & pid=$!; pids+=($pid)
sleep 2
check "the hack draws the animation into the given window" test "$(coloured "$parent")" -gt 1000
check "the hack keeps running" alive $pid
kill -TERM $pid
check "SIGTERM ends the hack with 0" ends_with $pid 0

# -root takes the window from XSCREENSAVER_WINDOW, as xscreensaver starts a hack.
XSCREENSAVER_WINDOW="$parent" "$saver" -root & pid=$!; pids+=($pid)
sleep 1.5
check "-root draws into XSCREENSAVER_WINDOW" alive $pid
kill -TERM $pid
check "and SIGTERM ends it with 0" ends_with $pid 0

# Without settings a hack opens no dialog: the message stands in its window.
XDG_CONFIG_HOME="$work/empty" "$saver" -window-id "$parent" 2>"$work/err" & pid=$!; pids+=($pid)
sleep 1.5
check "without settings the hack waits in its window" alive $pid
check "and says why on standard error" grep -q "読み込みファイルが存在していません" "$work/err"
check "drawing the message into the window" text_drawn "$parent"
kill -TERM $pid
check "SIGTERM ends it with 0" ends_with $pid 0

# A preview ends when its parent window goes.
"$saver" -p "$parent" & pid=$!; pids+=($pid)
sleep 1.5
check "the preview runs inside the window" alive $pid
kill $host
check "the preview ends with 0 when its window goes" ends_with $pid 0

# A window id that names no window: the winit failure, never an X error.
"$saver" -window-id 0x7ffffff0 2>"$work/err"; status=$?
check "a missing window gives status 1" test $status -eq 1
check "and the winit message" grep -q "ＳＡＶＥＲエラー２５" "$work/err"
"$saver" -p nonsense 2>"$work/err"; status=$?
check "a preview id that is no number gives status 1" test $status -eq 1

[ $failures -eq 0 ]
