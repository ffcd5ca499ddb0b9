# The information windows that the main window's "Despre" menu opens: system information, version
# history, About. Each is opened from the menu, photographed, checked for its place on the screen
# and hidden by its own button; the version history's memo is scrolled.
# Sourced by run-all, which provides the helpers used here.

INFO_TITLE='Informatii despre sistem'
INFO_W=347 INFO_H=188
VERSIUNI_TITLE='Versiuni'
VERSIUNI_W=530 VERSIUNI_H=601
DESPRE_TITLE='Despre \.\.\. '
DESPRE_W=276 DESPRE_H=317 # the client area of the 284 x 344 sizeable frame, as Wine draws it

# Picks entry $1 (0: System Info, 1: Versiuni, 2: Despre) of the "Despre" menu with the keyboard,
# as a user who knows the menu would: F10 enters the menu bar, two steps right reach "Despre".
pick_despre_menu() {
  click_main 420 290 # an empty spot of the main window, so that it has the keyboard
  xdotool key F10
  sleep 0.1
  xdotool key Right Right Down
  sleep 0.2
  local i
  for (( i = 0; i < $1; i++ )); do xdotool key Down; done
  xdotool key Return
}

# Opens entry $1 of the menu and waits for the window titled $2; its id in OPENED.
open_from_menu() { # entry title
  pick_despre_menu "$1"
  OPENED=$(wait_window "$2" 5000) || { fail "the menu entry did not show the window \"$2\""; return 1; }
}

# A window's picture on the screen, for comparing two moments of it.
window_digest() { import -window "$1" rgb:- 2>/dev/null | md5sum | cut -d' ' -f1; }

# The digest once the window has stopped repainting (two equal looks 0.2 s apart, at most 3 s): a
# busy machine may take a while to redraw the line the pointer left.
settled_digest() { # window-id
  local deadline=$(( $(ms) + 3000 )) last now
  last=$(window_digest "$1")
  while :; do
    sleep 0.2
    now=$(window_digest "$1")
    if [ "$now" = "$last" ] || [ "$(ms)" -ge "$deadline" ]; then echo "$now"; return; fi
    last=$now
  done
}

# How many pixels of colour $2 (#RRGGBB) the saved screenshot $1 has inside the rectangle $3
# (WxH+X+Y, in window coordinates).
count_colour() { convert "$1" -crop "$3" txt:- 2>/dev/null | grep -c " $2 "; }

scenario_info_window() {
  start_app || return
  open_from_menu 0 "$INFO_TITLE" || return
  shot info "$OPENED"
  geometry "$OPENED" "$INFO_W" "$INFO_H"
  [ $(( GW - 2 * BORDER )) -eq "$INFO_W" ] || fail "the system information window is ${GW}x$GH, not around a ${INFO_W}-wide client area"
  # The line under the pointer is drawn in the hot-tracking red; the others stay black.
  geometry "$OPENED" "$INFO_W" "$INFO_H"
  xdotool mousemove "$(( CLIENT_X + 80 ))" "$(( CLIENT_Y + 16 + 3 * 14 + 7 ))"
  sleep 0.4
  shot info-hot-line "$OPENED"
  local red
  red=$(count_colour "$SHOTS/e2e-$SCENARIO-info-hot-line.png" '#FF0000' "297x121+$(( BORDER + 24 ))+$(( CLIENT_Y - GY + 16 ))")
  [ "$red" -gt 20 ] || fail "no line of the list turned red under the pointer ($red red pixels)"
  # Off the list across the window's own face, as a hand moves, then out of the way.
  xdotool mousemove "$(( CLIENT_X + 10 ))" "$(( CLIENT_Y + 144 ))"
  sleep 0.2
  xdotool mousemove 1010 750
  local first
  first=$(settled_digest "$OPENED")
  click_client "$OPENED" "$INFO_W" "$INFO_H" $((24 + 148)) $((152 + 12)) # OK
  wait_hidden "$OPENED" 2000 || fail "\"OK\" did not hide the system information window"
  open_from_menu 0 "$INFO_TITLE" || return
  xdotool key Tab # the focus back from "OK" to the list, where it was the first time
  local again
  again=$(settled_digest "$OPENED")
  [ "$again" = "$first" ] || { fail "the system information window looks different when shown again"; shot info-again "$OPENED"; }
  alive "$APP" || fail "the program ended"
}

scenario_versiuni_window() {
  start_app || return
  open_from_menu 1 "$VERSIUNI_TITLE" || return
  shot versiuni "$OPENED"
  geometry "$OPENED" "$VERSIUNI_W" "$VERSIUNI_H"
  [ $(( GW - 2 * BORDER )) -eq "$VERSIUNI_W" ] || fail "the version history is ${GW}x$GH, not around a ${VERSIUNI_W}-wide client area"
  local top
  top=$(window_digest "$OPENED")
  # Into the memo, then to its end: the text scrolls and the last entries come into view.
  click_client "$OPENED" "$VERSIUNI_W" "$VERSIUNI_H" 200 200
  xdotool key ctrl+End
  sleep 0.3
  shot versiuni-end "$OPENED"
  [ "$(window_digest "$OPENED")" != "$top" ] || fail "the version history did not scroll"
  # Enter goes to the default "OK".
  xdotool key Return
  wait_hidden "$OPENED" 2000 || fail "Enter did not hide the version history"
  open_from_menu 1 "$VERSIUNI_TITLE" || return
  click_client "$OPENED" "$VERSIUNI_W" "$VERSIUNI_H" $((16 + 248)) $((568 + 12)) # OK
  wait_hidden "$OPENED" 2000 || fail "\"OK\" did not hide the version history"
  alive "$APP" || fail "the program ended"
}

scenario_despre_window() {
  start_app || return
  open_from_menu 2 "$DESPRE_TITLE" || return
  shot despre "$OPENED"
  eval "$(xdotool getwindowgeometry --shell "$OPENED")"
  [ "${WIDTH}x$HEIGHT" = 284x344 ] || say "the About window's frame is ${WIDTH}x$HEIGHT on the screen"
  # The link under the pointer takes its active colour; it is not clicked, which would start a mail
  # program in the prefix.
  geometry "$OPENED" "$DESPRE_W" "$DESPRE_H"
  xdotool mousemove "$(( CLIENT_X + 30 ))" "$(( CLIENT_Y + 86 ))"
  sleep 0.3
  shot despre-link-hot "$OPENED"
  local red
  red=$(count_colour "$SHOTS/e2e-$SCENARIO-despre-link-hot.png" '#FF0000' "150x20+$(( BORDER + 10 ))+$(( CLIENT_Y - GY + 76 ))")
  [ "$red" -gt 20 ] || fail "the author link did not turn red under the pointer ($red red pixels)"
  xdotool mousemove 1010 750
  click_client "$OPENED" "$DESPRE_W" "$DESPRE_H" $((168 + 37)) $((80 + 12)) # Ok
  wait_hidden "$OPENED" 2000 || fail "\"Ok\" did not hide the About window"
  alive "$APP" || fail "the program ended"
}

ALL_SCENARIOS+=(info-window versiuni-window despre-window)
