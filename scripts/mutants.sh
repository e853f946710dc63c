#!/usr/bin/env bash
# Applies each one-line fault of a list (default scripts/mutants.txt) in
# turn, builds only the test target it names, runs it and restores the
# file; prints whether some test caught the fault. Exit 1 when one was
# missed. Uses the build folder $BUILD (default build, configured already).
#
#   scripts/mutants.sh [LIST]
set -uo pipefail
cd "$(dirname "$0")/.."
list=${1:-scripts/mutants.txt}
build=${BUILD:-build}
caught=0 missed=0 broken=0 n=0
while IFS= read -r line; do
  [[ -z "$line" || "$line" == \#* ]] && continue
  n=$((n + 1))
  result=$(python3 - "$line" "$build" <<'PY'
import subprocess, sys
line, build = sys.argv[1], sys.argv[2]
parts = [p.strip().replace('\\|', '|') for p in line.replace('\\|', '\x00').split(' | ')]
parts = [p.replace('\x00', '|') for p in parts]
target, path, old, new = parts
text = open(path).read()
if text.count(old) != 1:
    print("broken (text found %d times)" % text.count(old)); sys.exit()
open(path, 'w').write(text.replace(old, new))
try:
    b = subprocess.run(["cmake", "--build", build, "-j2", "--target", target], capture_output=True)
    if b.returncode != 0:
        print("broken (does not build)")
    else:
        try:
            r = subprocess.run(["./" + build + "/tests/" + target, "--gtest_brief=1"], capture_output=True, timeout=120)
        except subprocess.TimeoutExpired:
            print("caught by a hang (no end after 120 s)")
        else:
            failed = [l.split("]", 1)[1].split()[0] for l in r.stdout.decode(errors="replace").splitlines()
                      if l.startswith("[  FAILED  ]") and "listed below" not in l and "tests," not in l]
            print("caught by " + (failed[0] if failed else "a crash") if r.returncode != 0 else "MISSED")
finally:
    open(path, 'w').write(text)
PY
)
  case $result in
    caught*) caught=$((caught + 1)) ;;
    MISSED*) missed=$((missed + 1)) ;;
    *) broken=$((broken + 1)) ;;
  esac
  printf '%2d %-28s %s\n   %s\n' "$n" "$(echo "$line" | cut -d'|' -f2 | xargs)" "$result" "$(echo "$line" | cut -d'|' -f3- | cut -c1-110)"
done < "$list"
# Put the unchanged objects back.
for t in $(grep -v '^#' "$list" | cut -d'|' -f1 | sort -u); do cmake --build "$build" -j2 --target "$t" > /dev/null; done
echo "caught $caught, missed $missed, not applicable $broken (of $n)"
[ "$missed" -eq 0 ]
