#!/usr/bin/env bash
# Makes the README's pictures with the program itself under Xvfb: the main window
# mid-game, its status line, the statistics window, the browse screen, the game in
# the dark scheme and a printed page. Needs xvfb, xdotool, imagemagick
# and poppler-utils (tools for the docs, not for building or testing).
#   tools/make-screenshots.sh [BUILD_BIN] [OUT_DIR]
set -euo pipefail
bin=$(realpath "${1:-build/bin}")
out=$(realpath -m "${2:-docs}")
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$bin"/{kelvane,kelvane-cli,k5x5.kvy,k7x7.kvy,k9x9.kvy,puzzles.kvl,all.col,kelvane.htm} "$work/"
printf 'Arial\r\n 16 \r\ndefault.col\r\n 0 \r\n%s\r\n' "$work/puzzles.kvl" > "$work/kelvane.cfg"
# The player's progress starts empty, apart from the user's own.
export XDG_DATA_HOME="$work/data"

# The clicks that solve puzzle n: the centres of its solution's cells on a 640x800
# window, where cells are 64 pixels square and a 9x9 board starts at (30, 189);
# smaller boards are centred on the same place.
clicks() {
  awk -v n="$1" 'NR == (n - 1) * 5 + 3 { size = substr($0, 1, 1) }
    NR == n * 5 { sub(/\r$/, ""); k = split($0, cell, ","); for (i = 1; i < k; i++) {
      r = int((cell[i] - 1) / size); c = (cell[i] - 1) % size
      printf "%d,%d ", 30 + (9 - size) * 32 + (c + 0.5) * 64, 189 + (9 - size) * 32 + (r + 0.5) * 64 } }' "$work/puzzles.kvl"
}
export SOLVE_1="$(clicks 1)" SOLVE_2="$(clicks 2)" SOLVE_3="$(clicks 3)"

# The window's own steps, run inside the virtual display.
cat > "$work/steps.sh" <<'STEPS'
#!/usr/bin/env bash
set -euo pipefail
cd "$1"
# Starts the program on a 640x800 window.
start() {
  ./kelvane &
  app=$!
  sleep 3
  win=$(xdotool search --name '^Kelvane$' | head -1)
  xdotool windowsize "$win" 640 800
  sleep 1
}
# Puzzle 49, a 9x9 board (its number typed, then Enter), mid-game: a chain from the
# bottom row, three steps long.
midGame() {
  xdotool mousemove "$NUMBER_X" "$NUMBER_Y" click 1 key ctrl+a type 49
  xdotool key Return
  sleep 0.5
  for cell in 446,733 574,733 574,605 574,477; do
    xdotool mousemove "${cell%,*}" "${cell#*,}" click 1
    sleep 0.3
  done
}
start
shot() { sleep 0.8; import -window root -crop "$2" +repage "$1"; }
play() {
  for cell in $1; do
    xdotool mousemove "${cell%,*}" "${cell#*,}" click 1
    sleep "$2"
  done
}
# The first three puzzles solved, at different speeds; Return closes the message of a win,
# the arrow at (396, 52) goes on to the next puzzle. Without a window manager the
# focus must be given back by hand, or the clock would stand.
play "$SOLVE_1" 0.6
xdotool key Return; sleep 0.5; xdotool windowfocus "$win"; xdotool mousemove 396 52 click 1; sleep 0.5
play "$SOLVE_2" 1.5
xdotool key Return; sleep 0.5; xdotool windowfocus "$win"; xdotool mousemove 396 52 click 1; sleep 0.5
play "$SOLVE_3" 2.5
xdotool key Return
shot "$1/status-line.png" 640x34+0+766
midGame
shot "$1/main-window.png" 640x800+0+0
# File, Statistics...
xdotool key alt+f s
sleep 1.5
stats=$(xdotool search --name '^Statistics$' | head -1)
xdotool windowmove "$stats" 0 0
shot "$1/statistics.png" "$(xdotool getwindowgeometry "$stats" | awk '/Geometry/ {print $2}')+0+0"
xdotool key Escape
sleep 0.5
# The browse screen, sixteen thumbnails of the file.
xdotool mousemove 446 52 click 1
sleep 1.5
browse=$(xdotool search --name '^Total Puzzles' | head -1)
xdotool windowmove "$browse" 0 0
shot "$1/browse-screen.png" "$(xdotool getwindowgeometry "$browse" | awk '/Geometry/ {print $2}')+0+0"
kill "$app"
# The same game in the dark scheme.
sed -i 's/^default\.col/dark.col/' kelvane.cfg
start
midGame
shot "$1/dark-scheme.png" 640x800+0+0
kill "$app"
STEPS
chmod +x "$work/steps.sh"
xvfb-run -a -s "-screen 0 1024x900x24" env NUMBER_X=260 NUMBER_Y=115 "$work/steps.sh" "$work" 2>/dev/null
cp "$work/"{main-window,status-line,statistics,browse-screen,dark-scheme}.png "$out/"

# A printed page: the 9x9 puzzles of the default file, six a page.
"$work/kelvane-cli" print "$work/puzzles.kvl" --from 49 --to 54 --per-page 6 --pdf "$work/page.pdf" >/dev/null
pdftoppm -r 60 -f 1 -l 1 -png -singlefile "$work/page.pdf" "$out/printed-page"
ls -l "$out"
