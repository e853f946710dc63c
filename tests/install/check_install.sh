#!/usr/bin/env bash
# Checks what the build installs, without building anything:
#   check_install.sh layout BUILD SOURCE MIME_PROBE PROGRAM...
#     `cmake --install BUILD` into a fresh prefix holds PROGRAM... (the
#     programs that were built), their help pages, examples, desktop
#     entries (desktop-file-validate), icons and file types (registered
#     with update-mime-database and looked up as a file manager would), and
#     the installed programs find their help pages there.
#   check_install.sh deb BUILD PROGRAM...
#     `cpack -G DEB` makes a package holding PROGRAM... with its Depends.
# Exit status 77 (skipped) when a tool it needs is missing.
set -euo pipefail
mode=$1 build=$2
shift 2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
need() { command -v "$1" >/dev/null 2>&1 || { echo "skipped: $1 is not installed"; exit 77; }; }

# Lines of FILE that match PATTERN (a fixed string) must exist.
expect_line() {
  grep -qxF -- "$2" "$1" || fail "$1 has no line '$2'"
}

check_layout() {
  local source=$1 probe=$2
  shift 2
  local programs=("$@")
  need desktop-file-validate
  need update-mime-database
  need xmllint
  local prefix=$work/prefix
  cmake --install "$build" --prefix "$prefix" >"$work/install.log" || { cat "$work/install.log"; exit 1; }
  local share=$prefix/share docs=$prefix/share/doc/quillo

  # Programs: those built and nothing else.
  for p in "${programs[@]}"; do
    [ -x "$prefix/bin/$p" ] || fail "bin/$p missing"
  done
  for f in "$prefix"/bin/*; do
    printf '%s\n' "${programs[@]}" | grep -qxF "$(basename "$f")" || fail "bin/$(basename "$f") installed but not built"
  done

  # Help pages with their style sheet and pictures; developer notes stay out.
  for f in "$source"/docs/*.html "$source"/docs/help.css "$source"/docs/images/*; do
    local rel=${f#"$source/docs/"}
    cmp -s "$f" "$docs/$rel" || fail "help file $rel not installed as it is"
  done
  [ ! -e "$docs/INTERNALS.md" ] || fail "INTERNALS.md installed with the user help"
  diff -r "$source/examples" "$share/quillo/examples" >/dev/null || fail "examples not installed as they are"

  # Desktop entries: one per program with a window of its own (two for the
  # saver), each valid, running an installed program, with a Japanese name
  # and an installed icon.
  local entries=()
  for p in quillomodel quilloanime facesmith; do
    printf '%s\n' "${programs[@]}" | grep -qxF $p && entries+=("$p.desktop")
  done
  if printf '%s\n' "${programs[@]}" | grep -qxF quillosaver; then
    entries+=(quillosaver.desktop quillosaver-settings.desktop)
    expect_line "$share/applications/quillosaver-settings.desktop" "Exec=quillosaver -c"
    expect_line "$share/applications/quillosaver-settings.desktop" "Name[ja]=スクリーンセーバー設定"
    expect_line "$share/applications/quillosaver.desktop" "Exec=quillosaver -s"
    local hack=$share/xscreensaver/config/quillosaver.xml
    xmllint --noout "$hack" || fail "$hack is not well-formed"
    grep -qF '<command arg="-root"/>' "$hack" || fail "$hack does not run the saver with -root"
  else
    [ ! -e "$share/xscreensaver" ] || fail "xscreensaver config installed without quillosaver"
  fi
  local installed
  installed=$(cd "$share/applications" 2>/dev/null && ls) || installed=""
  [ "$installed" = "$(printf '%s\n' "${entries[@]}" | sort)" ] ||
    fail "desktop entries are '$(echo $installed)', expected '$(echo "${entries[@]}" | tr ' ' '\n' | sort | tr '\n' ' ')'"
  for e in "${entries[@]}"; do
    local entry=$share/applications/$e
    [ -f "$entry" ] || { fail "$e missing"; continue; }
    desktop-file-validate "$entry" || fail "$e does not validate"
    local program icon
    program=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")
    [ -x "$prefix/bin/$program" ] || fail "$e runs $program, which is not installed"
    grep -q '^Name\[ja\]=' "$entry" || fail "$e has no Japanese name"
    icon=$(sed -n 's/^Icon=//p' "$entry")
    xmllint --noout "$share/icons/hicolor/scalable/apps/$icon.svg" || fail "$e: icon $icon missing or broken"
  done

  # File types: registered in a copy of the prefix's MIME folder, then asked
  # for as a file manager asks (by name, and an animation by its content).
  local types=$share/mime/packages/quillo.xml
  xmllint --noout "$types" || fail "$types is not well-formed"
  mkdir -p "$work/data" "$work/home"
  cp -r "$share/mime" "$work/data/mime"
  export XDG_DATA_DIRS="$work/data:/usr/share" XDG_DATA_HOME="$work/home"
  update-mime-database "$work/data/mime" 2>"$work/mime.log" || fail "update-mime-database refused $types"
  [ ! -s "$work/mime.log" ] || { cat "$work/mime.log"; fail "update-mime-database complained"; }
  for t in model motion animation; do
    xmllint --noout "$share/icons/hicolor/scalable/mimetypes/application-x-quillo-$t.svg" || fail "icon of the $t type missing"
  done
  cp "$source/examples/robot_show.md7" "$work/animation.bin"
  cp "$source/examples/robot.md4" "$work/MODEL.MD4"
  "$probe" "$source/examples/robot.md4" "$source/examples/house.md5" "$work/MODEL.MD4" \
    "$source/examples/robot_walk.md6" "$source/examples/robot_show.md7" >"$work/types.txt"
  "$probe" --content "$work/animation.bin" >>"$work/types.txt"
  expect_line "$work/types.txt" "$source/examples/robot.md4 application/x-quillo-model"
  expect_line "$work/types.txt" "$source/examples/house.md5 application/x-quillo-model"
  expect_line "$work/types.txt" "$work/MODEL.MD4 application/x-quillo-model"
  expect_line "$work/types.txt" "$source/examples/robot_walk.md6 application/x-quillo-motion"
  expect_line "$work/types.txt" "$source/examples/robot_show.md7 application/x-quillo-animation"
  expect_line "$work/types.txt" "$work/animation.bin application/x-quillo-animation"
  # Every type an entry opens is one the file types declare (or DXF, which
  # the system knows already).
  for e in "${entries[@]}"; do
    for t in $(sed -n 's/^MimeType=//p' "$share/applications/$e" | tr ';' ' '); do
      [ "$t" = image/vnd.dxf ] || grep -qF "type=\"$t\"" "$types" || fail "$e opens $t, which no file type declares"
    done
  done

  # The installed programs open the installed help pages (a script prints
  # the page instead of starting a browser).
  help_page() { # program script-lines page
    local run=$work/run-$1
    mkdir -p "$run/config"
    printf '%b' "$2" >"$run/script"
    (cd "$run" && XDG_CONFIG_HOME="$run/config" XDG_DATA_HOME="$run/data" QT_QPA_PLATFORM=offscreen \
      "$prefix/bin/$1" --script "$run/script" >"$run/out" 2>&1) || { cat "$run/out"; fail "$1 --script failed"; return; }
    grep -qxF "help page $(cd "$docs" && pwd -P)/$3" "$run/out" || { cat "$run/out"; fail "$1 does not open the installed $3"; }
  }
  for p in "${programs[@]}"; do
    case $p in
      quillomodel) help_page quillomodel 'answer options resolution=640\ncmd 707\n' quillomodel.html ;;
      quilloanime) help_page quilloanime 'answer options resolution=640\ncmd 701\n' quilloanime.html ;;
      facesmith) help_page facesmith 'cmd 113\n' facesmith.html ;;
    esac
  done
}

check_deb() {
  local programs=("$@")
  need cpack
  need dpkg-deb
  cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/package" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log"; exit 1; }
  local deb
  deb=$(ls "$work"/package/*.deb)
  dpkg-deb -c "$deb" | awk '{print $NF}' >"$work/files.txt"
  for p in "${programs[@]}"; do
    expect_line "$work/files.txt" "./usr/bin/$p"
  done
  for f in ./usr/share/doc/quillo/quillomodel.html ./usr/share/doc/quillo/help.css \
           ./usr/share/mime/packages/quillo.xml ./usr/share/quillo/examples/robot.md4 \
           ./usr/share/applications/quillomodel.desktop; do
    expect_line "$work/files.txt" "$f"
  done
  [ "$(dpkg-deb -f "$deb" Package)" = quillo ] || fail "the package is not named quillo"
  local depends
  depends=$(dpkg-deb -f "$deb" Depends)
  echo "Depends: $depends"
  for d in libqt6widgets6 libqt6gui6 libsdl2-mixer-2.0-0 libc6 "timgm6mb-soundfont | sf2-soundfont-gm" fonts-ipafont-gothic; do
    [[ ", $depends," == *", $d"[\ ,]* ]] || fail "Depends lacks $d"
  done
}

case $mode in
  layout) check_layout "$@" ;;
  deb) check_deb "$@" ;;
  *) echo "usage: check_install.sh layout|deb BUILD ..." >&2; exit 2 ;;
esac
if [ $failures -gt 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "all checks passed"
