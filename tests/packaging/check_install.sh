#!/usr/bin/env bash
# Checks what `cmake --install` and `make package` deliver, from a finished build:
#   - the installed tree and the Debian package hold exactly the files of package_contents.txt;
#   - the desktop entry validates and names the installed program, icon and project file types;
#   - the MIME file is accepted by update-mime-database, and with the database built, both readers of
#     it (GLib's, through xdg-mime, and Qt's) type project files by their content: .dat and .txt
#     projects are projects, other .dat and .txt files are not;
#   - the icon renders have their sizes; the man page formats without warnings and covers every
#     command of `pelko --help`;
#   - the package's control fields: name, version, architecture, dependencies found from the libraries.
# Usage: check_install.sh BUILD_DIR MIME_PROBE
set -euo pipefail
build=$(cd "$1" && pwd)
probe=$2
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

# Runs a command quietly; on failure shows its output and counts the failure.
quiet() {
  local what=$1
  shift
  if ! "$@" >"$work/log" 2>&1; then
    cat "$work/log" >&2
    fail "$what"
    return 1
  fi
}

# compare_lists WHAT EXPECTED_FILE ACTUAL_FILE: the same lines, order aside.
compare_lists() {
  if ! diff <(sort "$2") <(sort "$3") >"$work/diff"; then
    fail "$1 is not as expected ('<' missing, '>' unexpected):"
    cat "$work/diff" >&2
  fi
}

expected="$work/expected"
grep -v '^#' "$here/package_contents.txt" | sed '/^$/d' >"$expected"

# --- the installed tree --------------------------------------------------------------------------
# Staged as for a package (DESTDIR): exactly the listed files.
prefix="$work/root/usr"
DESTDIR="$work/root" quiet "cmake --install (DESTDIR)" cmake --install "$build" --prefix /usr || exit 1
(cd "$work/root" && find . -type f -o -type l | sed 's|^\./||') >"$work/installed"
compare_lists "the installed tree" "$expected" "$work/installed"

share="$prefix/share"
desktop="$share/applications/pelko-editor.desktop"
mime_xml="$share/mime/packages/pelko-editor.xml"

# --- desktop entry -------------------------------------------------------------------------------
quiet "desktop-file-validate $desktop" desktop-file-validate "$desktop" || :
entry() { sed -n "s/^$1=//p" "$desktop"; }
exec_line=$(entry Exec)
[ "$exec_line" = "pelko-editor %f" ] || fail "Exec is '$exec_line', not 'pelko-editor %f'"
[ -x "$prefix/bin/${exec_line%% *}" ] || fail "Exec names ${exec_line%% *}, which is not installed"
icon=$(entry Icon)
for png in "$share"/icons/hicolor/*x*/apps/"$icon".png; do
  size=${png#"$share/icons/hicolor/"}
  size=${size%%/*}
  got=$(identify -format '%wx%h' "$png" 2>/dev/null) || got="unreadable"
  [ "$got" = "$size" ] || fail "icon $png is $got, not $size"
done
[ -f "$share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "no scalable icon named $icon"
# The types the entry opens are exactly the types the MIME file recognises by content.
entry MimeType | tr ';' '\n' | sed '/^$/d' >"$work/desktop-types"
/usr/bin/python3 - "$mime_xml" >"$work/magic-types" <<'EOF'
import sys, xml.etree.ElementTree as ET
ns = {"m": "http://www.freedesktop.org/standards/shared-mime-info"}
for t in ET.parse(sys.argv[1]).getroot().findall("m:mime-type", ns):
    if t.find("m:magic", ns) is not None:
        print(t.get("type"))
EOF
compare_lists "the desktop entry's MimeType" "$work/magic-types" "$work/desktop-types"

# --- MIME database ------------------------------------------------------------------------------
export XDG_DATA_HOME="$work/no-data-home" XDG_CURRENT_DESKTOP=GNOME
mkdir -p "$XDG_DATA_HOME"
XDG_DATA_DIRS="$share:/usr/share" update-mime-database "$share/mime" >"$work/mime-log" 2>&1
if [ -s "$work/mime-log" ]; then
  fail "update-mime-database reports problems in pelko-editor.xml:"
  cat "$work/mime-log" >&2
fi
# Installed straight into a prefix, the install brings the prefix's MIME database and desktop-entry
# cache up to date itself.
direct="$work/direct/share"
quiet "cmake --install (prefix)" cmake --install "$build" --prefix "$work/direct" || exit 1
[ -f "$direct/mime/mime.cache" ] || fail "installing into a prefix left no MIME database in it"
grep -q '^application/x-pelko-project=pelko-editor.desktop;' "$direct/applications/mimeinfo.cache" 2>/dev/null ||
  fail "installing into a prefix left no desktop-entry cache naming pelko-editor for the project type"
# Where types are looked up:
# 1. the prefix's own database, searched before the system's (an install outside /usr);
# 2. one database holding the system's types and the project's (the package installed in /usr).
merged="$work/merged"
mkdir -p "$merged/mime/packages"
cp /usr/share/mime/packages/*.xml "$mime_xml" "$merged/mime/packages/"
XDG_DATA_DIRS="$merged:/usr/share" update-mime-database "$merged/mime" >/dev/null 2>&1

files="$work/files"
mkdir -p "$files"
quiet "make_sample" "$build/make_sample" "$work/sample" || exit 1
quiet "pelko convert (text)" "$build/pelko" convert "$work/sample/sample.txt" "$files/project.txt" --to text || exit 1
quiet "pelko convert (binary)" "$build/pelko" convert "$work/sample/sample.txt" "$files/project.dat" --to binary || exit 1
cp "$files/project.txt" "$files/saved-as-text.dat"
printf 'Shopping list\r\nbread\r\n' >"$files/notes.txt"
printf 'PELK_TE is not the magic\n' >"$files/almost.txt"
: >"$files/empty.txt"
printf 'level 3\nhp 120\n' >"$files/notes.dat"
printf 'x PELK_BIN0071\0\0\1\2\3\377\376' >"$files/shifted.dat"
printf '\0\1\2\3\4\5\6\7\377\376\375\374\373\372\371\370' >"$files/data.dat"

# file expected-type
cat >"$work/cases" <<'EOF'
project.dat application/x-pelko-project
project.txt text/x-pelko-project
saved-as-text.dat text/x-pelko-project
notes.txt text/plain
almost.txt text/plain
empty.txt text/plain
notes.dat text/plain
shifted.dat application/octet-stream
data.dat application/octet-stream
EOF

check_types() { # DATA_DIRS SCENARIO
  local dirs=$1 scenario=$2 file want got qt
  while read -r file want; do
    got=$(XDG_DATA_DIRS="$dirs" xdg-mime query filetype "$files/$file" 2>/dev/null) || got="(xdg-mime failed)"
    [ "$got" = "$want" ] || fail "$scenario, xdg-mime: $file is '$got', expected '$want'"
    qt=$(XDG_DATA_DIRS="$dirs" "$probe" "$files/$file" | sed 's/.*: //')
    [ "$qt" = "$want" ] || fail "$scenario, Qt: $file is '$qt', expected '$want'"
  done <"$work/cases"
}
if command -v gio >/dev/null; then
  check_types "$direct:/usr/share" "installed in a prefix"
  check_types "$merged" "installed in /usr"
else
  fail "gio (libglib2.0-bin) is missing: xdg-mime cannot read the MIME database"
fi

# --- man page ------------------------------------------------------------------------------------
page="$share/man/man1/pelko.1.gz"
if zcat "$page" | groff -man -ww -z >"$work/groff" 2>&1 && [ ! -s "$work/groff" ]; then
  : # formats cleanly
else
  fail "the man page does not format cleanly:"
  cat "$work/groff" >&2
fi
[ "$(MANPATH="$share/man" man -w pelko 2>/dev/null)" = "$page" ] || fail "man -w pelko does not find $page"
commands=$("$build/pelko" --help | sed -n '/^Subcommands:/,/^$/p' | awk 'NR > 1 && NF { print $1 }')
[ -n "$commands" ] || fail "pelko --help lists no commands"
for command in $commands; do
  zcat "$page" | grep -q "^\.SS \\\\fBpelko $command" || fail "the man page has no section for 'pelko $command'"
done
zcat "$page" | grep -q '^\.SH EXIT STATUS' || fail "the man page has no EXIT STATUS (from the help's footer)"

# --- the Debian package ------------------------------------------------------------------------
quiet "cpack" cpack --config "$build/CPackConfig.cmake" -B "$work/package" || exit 1
deb=$(find "$work/package" -maxdepth 1 -name '*.deb')
if [ "$(echo "$deb" | grep -c .)" != 1 ]; then
  fail "cpack made $(echo "$deb" | grep -c .) .deb files, not one"
  exit 1
fi
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | sed 's|^\./||' >"$work/packaged"
compare_lists "the package's content list" "$expected" "$work/packaged"
dpkg-deb -c "$deb" | awk '$2 != "root/root" { print "  " $0 }' >"$work/owners"
[ ! -s "$work/owners" ] || { fail "files not owned by root in the package:"; cat "$work/owners" >&2; }
field() { dpkg-deb -f "$deb" "$1"; }
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[ "$(field Package)" = pelko-editor ] || fail "Package is '$(field Package)'"
[ "$(field Version)" = "$version" ] || fail "Version is '$(field Version)', the project's is '$version'"
[ "$(field Architecture)" = "$(dpkg --print-architecture)" ] || fail "Architecture is '$(field Architecture)'"
depends=$(field Depends)
for lib in libc6 libqt6widgets6 libpng16-16 libgif7; do
  [[ ",$depends" =~ [,\ ]$lib[\ ,] || ",$depends" =~ [,\ ]$lib$ ]] || fail "Depends lacks $lib: $depends"
done
# The packaged desktop entry and MIME file are the ones checked above.
dpkg-deb -x "$deb" "$work/unpacked"
for f in share/applications/pelko-editor.desktop share/mime/packages/pelko-editor.xml; do
  cmp -s "$work/unpacked/usr/$f" "$prefix/$f" || fail "the package's $f differs from the installed one"
done

if [ "$failures" -ne 0 ]; then
  echo "$failures packaging check(s) failed" >&2
  exit 1
fi
echo "packaging: install tree, desktop entry, MIME types, icons, man page and package checked"
