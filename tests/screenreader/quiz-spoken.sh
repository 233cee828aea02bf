#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A Korean-to-Japanese quiz taken by keys alone under the screen reader Orca, on a display of its
# own with the accessibility bus: what Orca speaks (its debug log) must hold the question's
# Korean word, both verdicts and the score. Orca is the judge here, not Qt's own accessibility
# interface, which cannot see what a screen reader does with what it is told.
#   quiz-spoken.sh NORUMI WBK
set -uo pipefail
norumi=${1:?the program}
wbk=${2:?wbk}
work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "screen reader test: $*" >&2
  exit 1
}
for tool in orca Xvfb openbox dbus-run-session xdotool /usr/libexec/at-spi-bus-launcher; do
  command -v "$tool" >/dev/null || fail "$tool is missing (./test installs it)"
done

# A portable copy of the program with one small word file: its folder is its word folder.
mkdir -p "$work/program" "$work/home" "$work/runtime"
chmod 700 "$work/runtime"
cp "$norumi" "$(dirname "$norumi")"/{euc2uni.dll,norumi.html} "$work/program/"
printf '개\t犬\n고양이\t猫\n' | "$wbk" import "$work/program/animals.wbk" - >/dev/null ||
  fail "wbk import failed"

Xvfb -displayfd 3 -screen 0 1024x768x24 3>"$work/display" >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start"
export DISPLAY=:$(cat "$work/display") HOME=$work/home XDG_RUNTIME_DIR=$work/runtime
export QT_QPA_PLATFORM=xcb  # the tests around it run off the screen, where no one can hear
unset XDG_CONFIG_HOME XDG_DATA_HOME

# Everything that speaks to the accessibility bus lives in one private session bus.
session() {
  /usr/libexec/at-spi-bus-launcher --launch-immediately >"$work/bus.log" 2>&1 &
  sleep 1
  openbox >/dev/null 2>&1 &
  orca --replace --debug-file="$work/orca.log" -u "$work/orca-prefs" >"$work/orca.out" 2>&1 &
  local orca=$!
  # Orca takes some seconds to attach to the bus; what it misses meanwhile it never speaks.
  sleep 10
  kill -0 "$orca" 2>/dev/null || { echo "orca ended at its start" >"$work/failed"; return; }
  QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$work/program/norumi" >"$work/norumi.log" 2>&1 &
  local app=$!
  wait_window() {
    xdotool search --sync --onlyvisible --name "$1" >/dev/null & local search=$!
    ( sleep 20; kill $search 2>/dev/null ) & local timer=$!
    wait $search || echo "no window \"$1\"" >"$work/failed"
    kill $timer 2>/dev/null
    sleep 1.5
  }
  key() { xdotool key "$@"; sleep 1.2; }
  wait_window "メニュー"
  xdotool type --delay 100 tamotsu
  key Tab space                             # 名前の登録
  key Tab space                             # 出題(韓->日)
  wait_window "単語ファイル選択"
  key space Return                          # the one file, OK
  wait_window "単語出題"
  xdotool type --delay 150 '犬'; key Return  # right
  key Return                                # 次へ
  xdotool type --delay 150 'いぬ'; key Return # wrong
  key Return                                # 次へ: the end, the results
  sleep 4
  key Escape
  kill "$app"
  sleep 1
  kill "$orca"
  # Orca writes out the rest of its log as it ends.
  for _ in $(seq 50); do kill -0 "$orca" 2>/dev/null || break; sleep 0.2; done
}
export -f session
export work norumi
dbus-run-session -- bash -c session 2>"$work/dbus.log"
[ -e "$work/failed" ] && fail "$(cat "$work/failed"): $(tail -5 "$work/orca.out" "$work/norumi.log")"
[ -s "$work/orca.log" ] || fail "Orca wrote no debug log: $(tail -5 "$work/orca.out")"

# What Orca spoke, line by line in the order of its time stamps (the log is written in blocks).
grep -a 'SPEECH OUTPUT:' "$work/orca.log" | sort -s -k1,1 |
  sed -e "s/^[0-9:.]* - SPEECH OUTPUT: '//" -e "s/'[ ]*{.*//" >"$work/spoken"
grep -qx 'Screen reader on.' "$work/spoken" || fail "Orca never started speaking"
expected=(
  "Norumi! > 単語出題 > animals dialog."
  "1問目 개."
  "正解。発音 개 gae ケ."
  "2問目 고양이."
  "不正解。正しい答えは 猫。発音 고양이 goyangi コヤンイ."
  "今回の成績 1/2 50%。正解率の推移：50%。最新 50%"
)
line=0
for text in "${expected[@]}"; do
  found=$(tail -n +$((line + 1)) "$work/spoken" | grep -nxF -m1 -- "$text" | cut -d: -f1)
  if [ -z "$found" ]; then
    echo "Orca spoke:" >&2
    cat "$work/spoken" >&2
    fail "\"$text\" was not spoken (after line $line)"
  fi
  line=$((line + found))
done
echo "Orca spoke the question, both verdicts with the pronunciation and the score, in order."
