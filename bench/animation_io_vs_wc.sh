#!/usr/bin/env bash
# Compares reading (quilloanime --info) and reading and writing (--convert) an
# MD7 of 64 models x 10,000 frames with `wc -c` reading the same file through
# a pipe (`wc -c FILE` alone only asks the file's size), and reports the peak
# memory. Usage: bench/animation_io_vs_wc.sh BUILD_DIR
# (run BUILD_DIR/bench/animation_bench first: it makes the file)
set -euo pipefail
build=${1:-build-release}
f=/tmp/quillo_anim_bench/big_64x10000.md7
[ -f "$f" ] || { echo "missing $f: run $build/bench/animation_bench first"; exit 1; }
size=$(stat -c %s "$f")
wc_time=$( { /usr/bin/time -f %e sh -c "cat '$f' | wc -c >/dev/null"; } 2>&1 )
read_out=$( { /usr/bin/time -f "%e %M" "$build/apps/quilloanime" --info "$f" >/dev/null; } 2>&1 )
out=$( { /usr/bin/time -f "%e %M" "$build/apps/quilloanime" --convert "$f" /tmp/quillo_anim_bench/cli_copy.md7; } 2>&1 )
cmp "$f" /tmp/quillo_anim_bench/cli_copy.md7
echo "$(basename "$f"): $((size / 1000000)) MB; cat | wc -c ${wc_time} s; read ${read_out% *} s;" \
     "read+write (synced) ${out% *} s; peak $(( ${out#* } / 1024 )) MB"
