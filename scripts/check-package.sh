#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the Debian package a build made: its menu entries and software-centre entry, lintian, and
# a start of the program from the package unpacked into a folder of its own, with a home of its
# own. The starter word files must reach that home's word folder, the keyboard must be registered
# where it lies, and nothing may be written into the unpacked tree.
#   scripts/check-package.sh PACKAGE.deb
set -euo pipefail
deb=${1:?the package}
work=$(mktemp -d)
trap 'kill "${norumi:-}" 2>/dev/null || true; rm -rf "$work"' EXIT
fail() {
  echo "check-package: $*" >&2
  exit 1
}

tree=$work/root
dpkg-deb -x "$deb" "$tree"
desktop-file-validate "$tree"/usr/share/applications/*.desktop
appstreamcli validate --no-net "$tree"/usr/share/metainfo/*.metainfo.xml
# Errors fail; the warnings and notes left are shown. The programs are built hardened
# (cmake/Hardening.cmake): a note that one is not fails too.
lintian --fail-on error --display-level '>=info' "$deb" >"$work/lintian" 2>&1 && linted=0 || linted=$?
grep -v '^running with root' "$work/lintian" || true
[ "$linted" -eq 0 ] || fail "lintian found errors"
! grep -q ': hardening-' "$work/lintian" || fail "a program is not hardened"

# The manual page of wbk, written from its help, is filled to the reader's width (man-db comes
# with lintian).
wide=$(MANWIDTH=80 man -l "$tree/usr/share/man/man1/wbk.1.gz" 2>&1 | wc -L)
[ "$wide" -le 80 ] || fail "man wbk is $wide columns wide at 80"

# The tool finds its EUC-KR table in ../share/norumi, wherever the tree lies.
echo '한' | "$tree/usr/bin/wbk" hangul copy --pattern 1 >/dev/null
# It hands its drawing to wbk-draw, under lib/norumi.
"$tree/usr/bin/wbk" hangul draw 한 --png "$work/drawn.png" && [ -s "$work/drawn.png" ] ||
  fail "the installed wbk cannot draw"

home=$work/home
mkdir -p "$home"
(cd "$tree" && find . | sort) >"$work/before"
env -u XDG_DATA_HOME -u XDG_CONFIG_HOME HOME="$home" QT_QPA_PLATFORM=offscreen \
  "$tree/usr/bin/norumi" >"$work/norumi.log" 2>&1 &
norumi=$!
words=$home/.local/share/tarumo/norumi
for _ in $(seq 100); do
  [ -d "$words" ] && break
  kill -0 "$norumi" 2>/dev/null || fail "norumi ended at its start: $(cat "$work/norumi.log")"
  sleep 0.1
done
sleep 1  # the menu is up: whatever the start writes is written
kill -0 "$norumi" 2>/dev/null || fail "norumi ended: $(cat "$work/norumi.log")"
kill "$norumi"
wait "$norumi" 2>/dev/null || true

[ -d "$words" ] || fail "no word folder $words"
for starter in "$tree"/usr/share/norumi/*.wbk; do
  cmp -s "$starter" "$words/${starter##*/}" || fail "no starter file ${starter##*/} in $words"
done
(cd "$tree" && find . | sort) | diff "$work/before" - || fail "files written into the package's tree"
grep -qF "path=$tree/usr/bin/norumi-keyboard" "$home/.config/tarumo/registry.ini" ||
  fail "the keyboard is not registered where it lies"
echo "Package checked: $(basename "$deb") installs, starts and lays its starter files into $words"
