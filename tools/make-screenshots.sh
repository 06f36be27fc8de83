#!/usr/bin/env bash
# Makes the README's pictures with the program itself under Xvfb: the main window
# mid-game, the browse screen and a printed page. Needs xvfb, xdotool, imagemagick
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

# The window's own steps, run inside the virtual display.
cat > "$work/steps.sh" <<'STEPS'
#!/usr/bin/env bash
set -euo pipefail
cd "$1"
./kelvane &
app=$!
sleep 3
win=$(xdotool search --name '^Kelvane$' | head -1)
xdotool windowsize "$win" 640 800
sleep 1
shot() { sleep 0.8; import -window root -crop "$2" +repage "$1"; }
# Puzzle 49, a 9x9 board: type its number and press Enter.
xdotool mousemove "$NUMBER_X" "$NUMBER_Y" click 1 key ctrl+a type 49
xdotool key Return
sleep 0.5
# Mid-game: a chain from the bottom row, three steps long.
for cell in 446,733 574,733 574,605 574,477; do
  xdotool mousemove "${cell%,*}" "${cell#*,}" click 1
  sleep 0.3
done
shot "$1/main-window.png" 640x800+0+0
# The browse screen, sixteen thumbnails of the file.
xdotool mousemove 446 52 click 1
sleep 1.5
browse=$(xdotool search --name '^Total Puzzles' | head -1)
xdotool windowmove "$browse" 0 0
shot "$1/browse-screen.png" "$(xdotool getwindowgeometry "$browse" | awk '/Geometry/ {print $2}')+0+0"
kill "$app"
STEPS
chmod +x "$work/steps.sh"
xvfb-run -a -s "-screen 0 1024x900x24" env NUMBER_X=260 NUMBER_Y=115 "$work/steps.sh" "$work" 2>/dev/null
cp "$work/main-window.png" "$work/browse-screen.png" "$out/"

# A printed page: the 9x9 puzzles of the default file, six a page.
"$work/kelvane-cli" print "$work/puzzles.kvl" --from 49 --to 54 --per-page 6 --pdf "$work/page.pdf" >/dev/null
pdftoppm -r 60 -f 1 -l 1 -png -singlefile "$work/page.pdf" "$out/printed-page"
ls -l "$out"
