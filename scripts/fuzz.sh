#!/usr/bin/env bash
# Builds the libFuzzer targets (clang 14, ASan and UBSan, in build-fuzz) and
# runs one or all of them for SECONDS each (default 60), from seed corpora
# made of the examples, the test data, the kept regression inputs and the
# shared third-party files. Prints executions, coverage and findings per
# target; exits 1 when any target found something (the input is left in
# build-fuzz/findings/TARGET/).
#
#   scripts/fuzz.sh [TARGET|all] [SECONDS]
#   TARGET: md4 bmp dxf settings md6 md7 loadsurface gltf obj script_modeler
#           script_anime script_facesmith script_saver
set -euo pipefail
cd "$(dirname "$0")/.."
target=${1:-all}
seconds=${2:-60}
all=(md4 bmp dxf settings md6 md7 loadsurface gltf obj script_modeler script_anime script_facesmith script_saver)
if [ "$target" = all ]; then targets=("${all[@]}"); else targets=("$target"); fi
for t in "${targets[@]}"; do
  [[ " ${all[*]} " == *" $t "* ]] || { echo "fuzz.sh: no target $t (one of: ${all[*]} all)" >&2; exit 2; }
done

root=$(pwd)
build=$root/build-fuzz
mkdir -p "$build"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=clang++-14 \
  -DQUILLO_FUZZ=ON -DQUILLO_BENCH=OFF > "$build/configure.log" 2>&1 ||
  { cat "$build/configure.log"; exit 1; }
cmake --build "$build" -j "${FUZZ_JOBS:-2}" --target $(printf 'fuzz_%s ' "${targets[@]}") > "$build/build.log" 2>&1 ||
  { tail -40 "$build/build.log"; exit 1; }

corpus_shared=$root/../shared/corpus
# seed FOLDER BYTE FILES...: copies each file into FOLDER with BYTE (the
# harness's mode byte) in front; BYTE empty copies the file as it is.
seed() {
  local folder=$1 byte=$2
  shift 2
  for f in "$@"; do
    [ -f "$f" ] || continue
    local name
    name=$(printf '%s' "$f" | md5sum | cut -c1-16)
    if [ -n "$byte" ]; then
      { printf "\\x$byte"; cat "$f"; } > "$folder/$name-$byte"
    else
      cp "$f" "$folder/$name"
    fi
  done
}

make_seeds() {
  local t=$1 dir=$2
  mkdir -p "$dir"
  cp tests/fuzz/"$t"/* "$dir"/ 2>/dev/null || true
  case $t in
    md4)
      for b in 00 01 02 06; do
        seed "$dir" $b examples/*.md4 examples/*.md5 tests/softrender/golden/*.md4 tests/modeler/data/*.md4 \
          tests/scripts/expected/*.md4 tests/scripts/expected/*.md5
      done ;;
    bmp)
      seed "$dir" "" examples/*.bmp tests/softrender/golden/*.bmp tests/modeler/data/*.bmp \
        "$corpus_shared"/bmpsuite/g/*.bmp "$corpus_shared"/bmpsuite/q/*.bmp "$corpus_shared"/bmpsuite/b/*.bmp ;;
    dxf)
      for b in 00 07 10 1b; do
        seed "$dir" $b examples/*.dxf "$corpus_shared"/dxf/*.dxf "$corpus_shared"/dxf/*.DXF
      done ;;
    settings) ;;
    md6) seed "$dir" "" examples/*.md6 ;;
    md7) seed "$dir" "" examples/*.md7 ;;
    loadsurface)
      seed "$dir" "" examples/*.bmp tests/softrender/golden/*.bmp \
        "$corpus_shared"/bmpsuite/g/*.bmp "$corpus_shared"/bmpsuite/q/*.bmp "$corpus_shared"/bmpsuite/b/*.bmp ;;
    # The programs' --script readers.
    script_modeler) seed "$dir" "" tests/scripts/*.qms tests/modeler/data/*.script ;;
    script_anime) seed "$dir" "" tests/scripts/*.qas ;;
    script_facesmith) seed "$dir" "" tests/scripts/*.fss ;;
    script_saver) seed "$dir" "" tests/scripts/*.qss ;;
  esac
}

status=0
for t in "${targets[@]}"; do
  work=$build/run/$t
  findings=$build/findings/$t
  mkdir -p "$work" "$findings"
  make_seeds "$t" "$work/seeds"
  mkdir -p "$work/corpus"
  log=$work/fuzz.log
  dict=$root/fuzz/$t.dict
  [ -f "$dict" ] || dict=""
  echo "== fuzz_$t for ${seconds}s"
  set +e
  (cd "$findings" && ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1 UBSAN_OPTIONS=print_stacktrace=1 \
    "$build/fuzz/fuzz_$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
    -print_final_stats=1 ${dict:+-dict="$dict"} "$work/corpus" "$work/seeds") > "$log" 2>&1
  rc=$?
  set -e
  execs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo 0)
  speed=$(grep -o 'stat::average_exec_per_sec: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo 0)
  cov=$(grep -o 'cov: [0-9]* ft: [0-9]*' "$log" | tail -1 || true)
  found=$(find "$findings" -type f \( -name 'crash-*' -o -name 'leak-*' -o -name 'timeout-*' -o -name 'oom-*' \) | wc -l)
  echo "   executions $execs ($speed/s), $cov, corpus $(ls "$work/corpus" | wc -l) inputs, findings $found"
  if [ "$rc" -ne 0 ] || [ "$found" -ne 0 ]; then
    status=1
    grep -E 'ERROR|property broken|SUMMARY' "$log" | head -5 || true
    echo "   the input is in $findings; keep it under tests/fuzz/$t/ once mended (log: $log)"
  fi
done
exit $status
