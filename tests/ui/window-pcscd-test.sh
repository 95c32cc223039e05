#!/usr/bin/env bash
# The real Velmet on a virtual display, through libpcsclite, pcscd and the
# vpcd driver's second reader, where virtualsim-vpcd serves a copy of the demo
# card: the user reads the card, renames the first phone-book entry and writes
# it back, by keyboard; velmet-cli then reads the new name from the card.
# Needs the pcscd test fixture. Usage: window-pcscd-test.sh BIN_DIR SOURCE_DIR
set -euo pipefail

bin=$(cd "${1:?bin folder}" && pwd)
source_dir=$(cd "${2:?source folder}" && pwd)
reader="Virtual PCD 00 01"
new_name="Window edit"

if [ -z "${PELMORA_E2E_DISPLAY:-}" ]; then
  PELMORA_E2E_DISPLAY=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi

work=$(mktemp -d)
children=()
stop_children() {
  for pid in "${children[@]}"; do
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  rm -rf "$work"
}
trap stop_children EXIT
set -E
trap 'echo "FAILED at line $LINENO" >&2' ERR

# A fresh user: no settings, no remembered association.
export HOME=$work/home XDG_CONFIG_HOME=$work/home/config XDG_DATA_HOME=$work/home/data
export XDG_STATE_HOME=$work/home/state
unset PELMORA_PCSC_LIBRARY VIRTUALSIM_CARDS
# The suite runs the other window tests offscreen; this one is driven on the
# virtual display.
export QT_QPA_PLATFORM=xcb
mkdir -p "$HOME"

# until SECONDS COMMAND...: true as soon as COMMAND succeeds.
until_true() {
  local tries=$(($1 * 5))
  shift
  for _ in $(seq 1 "$tries"); do
    "$@" >/dev/null 2>&1 && return 0
    sleep 0.2
  done
  return 1
}
card_listed() { "$bin/velmet-cli" readers | grep -q "^$reader  card$"; }
no_card_listed() { "$bin/velmet-cli" readers | grep -q "^$reader  no card$"; }
shown() { xdotool search --onlyvisible --name "$1"; }
hidden() { ! xdotool search --onlyvisible --name "$1"; }
fail() {
  echo "FAILED: $*" >&2
  [ -s "$work/velmet.log" ] && sed 's/^/velmet: /' "$work/velmet.log" >&2
  for w in $(xdotool search --onlyvisible --pid "${velmet:-0}" 2>/dev/null); do
    echo "open: '$(xdotool getwindowname "$w")' $(xdotool getwindowgeometry "$w" | tail -1)" >&2
  done
  exit 1
}

until_true 15 no_card_listed || fail "$reader holds a card of someone else"
cp "$source_dir/data/cards/demo.simcard" "$work/card.simcard"
"$bin/virtualsim-vpcd" --port 35964 "$work/card.simcard" >"$work/vpcd.log" 2>&1 &
vpcd=$!
children+=($vpcd)
until_true 15 card_listed || fail "$reader shows no card"
kill -0 "$vpcd" || fail "virtualsim-vpcd ended: $(cat "$work/vpcd.log")"

"$bin/Velmet" >"$work/velmet.log" 2>&1 &
velmet=$!
children+=($velmet)
# The main window by its title: the first start's association question may
# be the first window up.
main=$(timeout 20 xdotool search --sync --all --onlyvisible --limit 1 --pid "$velmet" \
  --name "^Pelmora 2" || true)
[ -n "$main" ] || fail "no window"
windows() { xdotool search --onlyvisible --pid "$velmet" | wc -l; }
more_than_one() { [ "$(windows)" -gt 1 ]; }
only_the_window() { [ "$(windows)" -eq 1 ]; }
# No window manager runs here: the window is given the keyboard by hand, again
# after every dialog.
to_window() {
  xdotool windowfocus "$main"
  sleep 0.3
}
# The first start offers the file association: not now.
until_true 5 more_than_one || true
while more_than_one; do
  xdotool key Escape
  sleep 0.3
done

# The dialog in front, given the keyboard.
to_dialog() {
  local dialog
  dialog=$(xdotool search --onlyvisible --pid "$velmet" | grep -vx "$main" | tail -1)
  [ -n "$dialog" ] || return 1
  xdotool windowfocus "$dialog"
  # Keys typed before the dialog has taken the focus would be lost.
  sleep 0.6
}

# The tree: the second reader's root (the readers come from pcscd a moment
# after the start), then Read SIM from the SIM menu until PIN1 is asked.
asked=no
for _ in $(seq 1 15); do
  to_window
  xdotool key Home Down alt+s r
  if until_true 2 shown "^Enter PIN1$"; then
    asked=yes
    break
  fi
  while more_than_one; do
    to_dialog && xdotool key Escape
  done
done
[ $asked = yes ] || fail "PIN1 was not asked"
# The PIN dialog stands over the read's progress dialog.
xdotool windowfocus "$(xdotool search --onlyvisible --name "^Enter PIN1$" | head -1)"
sleep 0.6
xdotool type --delay 50 1234
xdotool key Return
until_true 30 hidden "^Enter PIN1$" || fail "the PIN dialog stayed"
until_true 30 only_the_window || fail "the read did not end"

# The phone book is shown: rename its first entry in the entry dialog.
to_window
xdotool key Tab Home
# On a loaded machine the menu's item key can come before the menu is up and
# go to the list instead: the menu is opened, given time, and tried again.
opened=no
for _ in $(seq 1 5); do
  to_window
  xdotool key alt+e
  sleep 0.5
  xdotool key e
  if until_true 5 shown "^Edit entry$"; then
    opened=yes
    break
  fi
  while more_than_one; do
    to_dialog && xdotool key Escape
  done
  xdotool key Escape
done
[ $opened = yes ] || fail "the entry dialog did not open"
to_dialog
xdotool key ctrl+a
xdotool type --delay 20 "$new_name"
xdotool key Return
until_true 10 only_the_window || fail "the entry dialog stayed"
to_window
xdotool key alt+s
sleep 0.5
xdotool key w
until_true 10 more_than_one || true # the progress dialog
until_true 30 only_the_window || fail "Write SIM did not end"
# The window lets go of the card as it ends.
kill "$velmet"
wait "$velmet" || true

echo 1234 | "$bin/velmet-cli" read --reader "$reader" --pin-stdin -o "$work/after.phn" >/dev/null
"$bin/velmet-cli" show "$work/after.phn" --book adn | grep -q "$new_name" ||
  fail "the card does not hold '$new_name'; Velmet said: $(cat "$work/velmet.log")"
echo "the card holds '$new_name'"
