#!/usr/bin/env bash
# Instructions per tower frame (and per interlevel frame, reported apart):
# runs ascelon-bench-frames under
# valgrind --tool=callgrind (one dump per frame) and prints the median and
# maximum instructions per frame: in all, and without SDL's own presentation
# of the finished screen (SDL_UpdateRect and SDL_Flip, which on a desktop go
# through SDL 2 and its video driver), and the bench's own heap check.
# Usage: bench/frame_cost.sh [BUILD_DIR]
set -euo pipefail
case "${1:-}" in
-h | --help)
  sed -n '2,8p' "$0" | sed 's/^# \{0,1\}//'
  exit 0
  ;;
esac
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-$top/build}
bench=$build/bench/ascelon-bench-frames
if ! command -v valgrind >/dev/null; then
  echo "frame_cost.sh needs valgrind: apt-get install valgrind, then run cmake again" >&2
  exit 1
fi
[ -x "$bench" ] || cmake --build "$build" --target ascelon-bench-frames >/dev/null
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
status=0

# dumps DIR [VALGRIND OPTIONS...]: one line "INSTRUCTIONS RUN frame N" per
# measured frame into DIR/frames.txt.
dumps() {
  local dir=$1
  shift
  mkdir -p "$dir"
  SDL_VIDEODRIVER=dummy valgrind --tool=callgrind --callgrind-out-file="$dir/cg" "$@" \
    "$bench" >"$dir/bench.txt" 2>"$dir/valgrind.txt" || status=$?
  # Each dump names its frame ("desc: Trigger: Client Request: foot frame 12")
  # and holds the instructions since the previous dump. Frame 0 of a run also
  # holds the tower's set-up, and the warm-up run is not measured.
  for f in "$dir"/cg.*; do
    awk '/^desc: Trigger: Client Request:/ { sub(/^desc: Trigger: Client Request: /, ""); label = $0 }
         /^summary:/ { print $2, label }' "$f"
  done | awk '$3 == "frame" && $4 != 0 && $2 != "warm-up"' >"$dir/all.txt"
  # Tower frames and interlevel frames are reported apart.
  awk '$2 != "interlevel"' "$dir/all.txt" >"$dir/frames.txt"
  awk '$2 == "interlevel"' "$dir/all.txt" >"$dir/il.txt"
  if [ ! -s "$dir/frames.txt" ]; then
    echo "no frame dumps found:" >&2
    cat "$dir/valgrind.txt" >&2
    exit 1
  fi
}

# report TITLE FILE: median and maximum of "INSTRUCTIONS RUN frame N" lines.
report() {
  sort -n "$2" | awk -v title="$1" '
    { v[++n] = $1; lab[n] = $2 " " $3 " " $4; r[$2, ++c[$2]] = $1; runs[$2] = 1 }
    END {
      printf "%s, %d frames: median %d, max %d (%s)\n", title, n, v[int((n + 1) / 2)], v[n], lab[n]
      split("foot half top", order, " ")
      for (i = 1; i <= 3; ++i) {
        k = c[order[i]]
        if (k) printf "  %s: median %d, max %d\n", order[i], r[order[i], int((k + 1) / 2)], r[order[i], k]
      }
    }'
}

dumps "$out/all"
# With --toggle-collect only the time inside those calls is counted.
dumps "$out/present" --toggle-collect=SDL_UpdateRect
cat "$out/all/bench.txt"
report "instructions per frame, everything" "$out/all/frames.txt"
report "instructions per frame in SDL_UpdateRect and SDL_Flip (the video driver)" "$out/present/frames.txt"
awk 'NR == FNR { present[$2 " " $4] = $1; next } { print $1 - present[$2 " " $4], $2, $3, $4 }' \
  "$out/present/frames.txt" "$out/all/frames.txt" >"$out/game.txt"
report "instructions per frame of the game (everything up to the finished screen)" "$out/game.txt"
awk 'NR == FNR { present[$2 " " $4] = $1; next } { print $1 - present[$2 " " $4], $2, $3, $4 }' \
  "$out/present/il.txt" "$out/all/il.txt" >"$out/il_game.txt"
report "interlevel: instructions per frame, everything" "$out/all/il.txt"
report "interlevel: instructions per frame of the game (everything up to the finished screen)" "$out/il_game.txt"
exit "$status"
