#!/usr/bin/env bash
# Runs a --script file of one of the programs without a display, in a fresh
# folder holding a copy of examples/ and a fresh settings folder, then
# compares the files it names:
#   run_script.sh [--data DIR] [--settled] PROGRAM SCRIPT [OUTPUT EXPECTED]...
# --data DIR  also copies the files of DIR into the folder
# --settled   starts with stored settings (no first-run options dialog)
# --arg WORD  passes WORD to the program before --script (repeatable)
set -euo pipefail
data="" settled=0 args=()
while [ $# -gt 0 ]; do
  case $1 in
    --data) data=$2; shift 2 ;;
    --arg) args+=("$2"); shift 2 ;;
    --settled) settled=1; shift ;;
    *) break ;;
  esac
done
program=$1 script=$2
shift 2
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$source_dir/examples" "$work/examples"
[ -n "$data" ] && cp -r "$data"/. "$work/"
mkdir -p "$work/config/Quillo Proj" "$work/run"
chmod 700 "$work/run"
if [ $settled = 1 ]; then
  printf '[General]\nFile%%20Name=\nMaxWidth=640\nMaxHight=480\nMode=Window\nPersCorrect=No\nShade=Gouraud\nZon=No\n' \
    > "$work/config/Quillo Proj/Model.conf"
fi
cd "$work"
XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work/run" QT_QPA_PLATFORM=offscreen "$program" ${args[@]+"${args[@]}"} --script "$script"
while [ $# -ge 2 ]; do
  if ! cmp -s "$1" "$2"; then
    echo "$1 differs from $2:"
    diff "$1" "$2" | head -40 || true
    exit 1
  fi
  shift 2
done
