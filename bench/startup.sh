#!/usr/bin/env bash
# Whole-process start-up and --render, each against its floor, measured
# interleaved: Varnel started offscreen until its first paint against a bare
# Qt main window of the same size painting one line of Japanese in IPA
# Mincho, and "varnel --render PAGE OUT.png" against a bare Qt program
# writing an image of the same size with five lines and one line of
# Japanese in IPA Mincho. The same bare window without its text, against
# the floor, shows what the font alone costs. Prints the medians of time
# (wall clock) and peak memory (maximum resident set, from /usr/bin/time)
# and their ratios.
#
#   bench/startup.sh BUILD [VARNEL] [--runs N] [--preload]
#
# BUILD holds the floors (configured with -DVARNEL_BENCH=ON); VARNEL is the
# program measured (BUILD/varnel by default). --preload quits a program
# that does not know VARNEL_QUIT_AFTER_FIRST_PAINT with the preloaded
# library from BUILD instead.
set -euo pipefail
build=$(realpath "$1")
shift
varnel="$build/varnel"
if [ $# -gt 0 ] && [[ "$1" != --* ]]; then varnel=$(realpath "$1"); shift; fi
runs=10
preload=()
while [ $# -gt 0 ]; do
  case "$1" in
    --runs) runs="$2"; shift 2 ;;
    --preload) preload=(env "LD_PRELOAD=$build/bench/libbench_quit_after_first_paint.so"); shift ;;
    *) echo "unknown option: $1" >&2; exit 2 ;;
  esac
done
data="$(dirname "$varnel")/Data"
[ -d "$data" ] || data="$(dirname "$varnel")/../share/varnel/Data"
page="$data/はじめに.fum"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
# Every run starts from the same empty settings and the offscreen platform.
export XDG_CONFIG_HOME="$scratch/config" HOME="$scratch"
export QT_QPA_PLATFORM=offscreen VARNEL_QUIT_AFTER_FIRST_PAINT=1
unset DISPLAY WAYLAND_DISPLAY

# Runs a command once; appends "milliseconds kibibytes" to the file $1.
measure() {
  local out="$1"; shift
  local start end
  start=$(date +%s%N)
  /usr/bin/time -f "%M" -o "$scratch/mem" "$@" >/dev/null 2>"$scratch/err" ||
    { echo "failed: $*" >&2; cat "$scratch/err" >&2; exit 1; }
  end=$(date +%s%N)
  echo "$(( (end - start) / 1000 )) $(cat "$scratch/mem")" >>"$out"
}

median() {  # column $2 of file $1
  cut -d' ' -f"$2" "$1" | sort -n | awk '{ v[NR] = $1 }
    END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

report() {  # name, floor file, program file[, what the program is]
  local ft fm pt pm
  ft=$(median "$2" 1); fm=$(median "$2" 2); pt=$(median "$3" 1); pm=$(median "$3" 2)
  awk -v n="$1" -v w="${4:-varnel}" -v ft="$ft" -v fm="$fm" -v pt="$pt" -v pm="$pm" 'BEGIN {
    printf "%-9s floor %7.1f ms %6.1f MiB   %s %7.1f ms %6.1f MiB   ratio %.2fx time %.2fx memory\n",
      n, ft / 1000, fm / 1024, w, pt / 1000, pm / 1024, pt / ft, pm / fm }'
}

# The page's size, as Varnel renders it.
"$varnel" --render "$page" "$scratch/page.png"
size=$(od -An -tu1 -j16 -N8 "$scratch/page.png" | awk '{
  print $1 * 16777216 + $2 * 65536 + $3 * 256 + $4, $5 * 16777216 + $6 * 65536 + $7 * 256 + $8 }')

# One warm-up of each, then the runs interleaved; the machine's load
# averages before and after are printed with the figures.
load_before=$(cut -d' ' -f1-3 /proc/loadavg)
for round in $(seq 0 "$runs"); do
  f=start; [ "$round" -eq 0 ] && f=warm
  measure "$scratch/$f.floor" "$build/bench/bench_minimal_window"
  measure "$scratch/$f.varnel" "${preload[@]}" "$varnel"
  measure "$scratch/$f.plain" "$build/bench/bench_minimal_window" --plain
  f=render; [ "$round" -eq 0 ] && f=warm
  # shellcheck disable=SC2086
  measure "$scratch/$f.floor_render" "$build/bench/bench_minimal_image_writer" "$scratch/floor.png" $size
  measure "$scratch/$f.varnel_render" "$varnel" --render "$page" "$scratch/varnel.png"
done
echo "$runs runs of each, interleaved; medians; page ${size/ /x} px; load $load_before before, $(cut -d' ' -f1-3 /proc/loadavg) after"
report start-up "$scratch/start.floor" "$scratch/start.varnel"
report --render "$scratch/render.floor_render" "$scratch/render.varnel_render"
# The floor's window without its line of Japanese: the font's own price.
report "no text" "$scratch/start.floor" "$scratch/start.plain" "no text"
