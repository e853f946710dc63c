#!/usr/bin/env bash
# Compares reading and writing a large model with `wc -w` on the same file,
# and reports the peak memory of a read-and-write run.
# Usage: bench/model_io_vs_wc.sh BUILD_DIR  (run BUILD_DIR/bench/model_io_bench first: it makes the files)
set -euo pipefail
build=${1:-build-release}
for f in /tmp/quillo_bench_1x1000000.md4 /tmp/quillo_bench_1000x1000.md4; do
  [ -f "$f" ] || { echo "missing $f: run $build/bench/model_io_bench first"; exit 1; }
  size=$(stat -c %s "$f")
  wc_time=$( { /usr/bin/time -f %e wc -w "$f" >/dev/null; } 2>&1 )
  out=$( { /usr/bin/time -f "%e %M" "$build/apps/quillomodel" --convert "$f" /tmp/quillo_bench_copy.md4; } 2>&1 )
  echo "$(basename "$f"): $((size / 1000000)) MB; wc -w ${wc_time} s; read+write ${out% *} s; peak $(( ${out#* } / 1024 )) MB"
done
