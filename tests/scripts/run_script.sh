#!/usr/bin/env bash
# Runs a --script file of one of the programs in a fresh folder holding a
# copy of examples/, with a fresh settings folder and no display, then
# compares the files it names: run_script.sh PROGRAM SCRIPT [OUTPUT EXPECTED]...
set -euo pipefail
program=$1 script=$2
shift 2
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$source_dir/examples" "$work/examples"
mkdir -p "$work/config"
cd "$work"
XDG_CONFIG_HOME="$work/config" QT_QPA_PLATFORM=offscreen "$program" --script "$script"
while [ $# -ge 2 ]; do
  if ! cmp -s "$1" "$2"; then
    echo "$1 differs from $2:"
    diff "$1" "$2" | head -40 || true
    exit 1
  fi
  shift 2
done
