#!/usr/bin/env bash
# Crash recovery end to end: a quillomodel --script run edits the robot,
# lets the recovery timer's work run ("autosave") and is killed; the next
# start asks whether to recover, and Yes brings the edit back as an unsaved
# document; after No the file is gone and the next start asks nothing.
#   recovery_after_kill.sh QUILLOMODEL
set -euo pipefail
program=$1
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$source_dir/examples" "$work/examples"
mkdir -p "$work/config/Quillo Proj"
printf '[General]\nFile%%20Name=\nMaxWidth=640\nMaxHight=480\nMode=Window\nPersCorrect=No\nShade=Gouraud\nZon=No\n' \
  > "$work/config/Quillo Proj/Model.conf"
cd "$work"
run() { XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" QT_QPA_PLATFORM=offscreen "$program" --script "$1"; }
recovery="$work/data/Quillo Proj/Model/recovery.md5"

edit_and_die() {
  cat > edit.qms <<'SCRIPT'
answer file examples/robot.md4
answer select 0
answer select 0
cmd 101
key o
key h
answer file edited.md4
cmd 105
key h
autosave
kill
SCRIPT
  set +e
  run edit.qms
  status=$?
  set -e
  [ $status -ne 0 ] || { echo "the killed run ended normally"; exit 1; }
  [ -f "$recovery" ] || { echo "no recovery file after the kill"; exit 1; }
}

# 1. Killed with a change after the save: the file is there and holds that change.
edit_and_die
# 2. The next start asks; Yes opens the recovered model, unnamed (上書き保存 asks for a name).
cat > recover.qms <<'SCRIPT'
answer ask yes
answer select 0
answer select 0
answer file recovered.md4
cmd 104
SCRIPT
run recover.qms
[ -f recovered.md4 ] || { echo "the recovered model was not saved"; exit 1; }
if cmp -s recovered.md4 edited.md4; then echo "the recovered model lacks the last change"; exit 1; fi
[ ! -f "$recovery" ] || { echo "a clean exit left the recovery file"; exit 1; }
# 3. Killed again; No deletes the file.
edit_and_die
printf 'answer ask no\n' > decline.qms
run decline.qms
[ ! -f "$recovery" ] || { echo "No kept the recovery file"; exit 1; }
# 4. Nothing to offer: a start with no answers queued asks nothing.
printf 'state\n' > plain.qms
run plain.qms > /dev/null
echo "recovery offered after a kill"
