#!/usr/bin/env bash
# Times facesmith on a generated drawing of 1,000,000 3DFACEs (with and
# without --fast) against `wc -w` on the same file, and reports peak memory.
# Usage: bench/facesmith_vs_wc.sh [BUILD_DIR]   (a Release build is best)
set -euo pipefail
build=${1:-build-release}
faces=${FACES:-1000000}
drawing=/tmp/quillo_bench_faces.dxf
[ -f "$drawing" ] || "$build/bench/make_dxf_drawing" "$faces" "$drawing"
size=$(stat -c %s "$drawing")
cat "$drawing" >/dev/null # warm the page cache for every run alike
wc_time=$( { /usr/bin/time -f %e wc -w "$drawing" >/dev/null; } 2>&1 )
echo "drawing: $faces faces, $((size / 1000000)) MB; wc -w: ${wc_time} s"
for options in "" "--fast"; do
  out=$( { /usr/bin/time -f "%e %M" "$build/apps/facesmith" $options "$drawing" /tmp/quillo_bench_faces.md4; } 2>&1 )
  secs=${out% *}
  peak=$(( ${out#* } / 1024 ))
  echo "facesmith ${options:-(pairing)}: ${secs} s ($(awk "BEGIN{printf \"%.2f\", $secs / $wc_time}") x wc -w);" \
       "peak ${peak} MB ($(awk "BEGIN{printf \"%.2f\", $peak * 1048576 / $size}") x the drawing)"
done
rm -f /tmp/quillo_bench_faces.md4
