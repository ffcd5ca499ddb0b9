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

# Picks entry $2 (from 0) of the main menu's column $1 (0: File, 1: Setari, 2: Despre) with the keyboard.
pick_menu() { # column entry
  click_main 420 290
  menu_keys "$1" "$2"
}

# The keys that pick entry $2 of menu column $1, once an empty spot of the main window was clicked.
menu_keys() { # column entry
  xdotool key F10
  sleep 0.1
  local i
  for (( i = 0; i < $1; i++ )); do xdotool key Right; done
  xdotool key Down
  sleep 0.2
  for (( i = 0; i < $2; i++ )); do xdotool key Down; done
  xdotool key Return
}

# --- from outside: what another program of the same Wine session reads of a window ---------------

# The probe's report on the visible window titled exactly $1, in PROBED: caption, client and frame
# sizes, and one line per child window ("child <class> "<text>" x,y wxh").
probe_window() { # title
  PROBED=""
  [ -n "$PROBE" ] || { fail "run-all was given no window probe"; return 1; }
  # A window that has just appeared may not be ready to be read yet: a few tries.
  local try
  for try in 1 2 3; do
    PROBED=$(wine "$PROBE" window "$1" 2>/dev/null | tr -d '\r')
    [ -n "$PROBED" ] && return 0
    sleep 0.5
  done
  fail "the probe found no window titled \"$1\""
  return 1
}

# Every line given must be a line of PROBED.
expect_probed() { # what line...
  local what=$1 line
  shift
  for line in "$@"; do
    grep -qxF -- "$line" <<<"$PROBED" || fail "$what: expected [$line]; the probe read [$(paste -sd'|' <<<"$PROBED")]"
  done
}

# A child window with that text at that place and size, whatever its class.
expect_child() { # what text x,y wxh [suffix]
  local line
  line=$(grep -F -- " \"$2\" " <<<"$PROBED" | grep '^child ' | sed 's/^child [^ ]* //')
  [ "$line" = "\"$2\" $3 $4${5:-}" ] ||
    fail "$1: expected \"$2\" at $3, $4${5:-}; the probe read [${line:-no such child}]"
}

# A label's text, compared pixel for pixel: the probe draws the text in the label's font as a label
# draws it, and that must be what the window shows at the label's place (client coordinates).
expect_label() { # window-id client-w client-h screenshot x y face height bold text
  [ -n "$PROBE" ] || { fail "run-all was given no window probe"; return 1; }
  geometry "$1" "$2" "$3"
  local ref=$WORK/label-$SCENARIO-$4-$5-$6.bmp crop=$WORK/label-$SCENARIO-$4-$5-$6.png size diff
  rm -f "$ref"
  size=$(wine "$PROBE" text "$7" "$8" "$9" "${10}" "$(to_windows_path "$ref")" 2>/dev/null | tr -d '\r')
  size=${size#text }
  [ -f "$ref" ] || { fail "the probe drew no reference for \"${10}\""; return 1; }
  convert "$SHOTS/e2e-$SCENARIO-$4.png" -crop "$size+$(( BORDER + $5 ))+$(( CLIENT_Y - GY + $6 ))" +repage "$crop"
  diff=$(compare -metric AE "$crop" "$ref" null: 2>&1)
  [ "$diff" = 0 ] || fail "the label at $5,$6 does not read \"${10}\" ($diff pixels differ from the reference)"
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
  # Straight from the line out of the window: the line goes back to its own colour.
  # The leave can take a moment to be noticed after such a jump; give it up to 3 s.
  xdotool mousemove 1010 750
  local deadline=$(( $(ms) + 3000 ))
  while :; do
    sleep 0.2
    shot info-left "$OPENED"
    red=$(count_colour "$SHOTS/e2e-$SCENARIO-info-left.png" '#FF0000' "297x121+$(( BORDER + 24 ))+$(( CLIENT_Y - GY + 16 ))")
    [ "$red" -eq 0 ] || [ "$(ms)" -ge "$deadline" ] && break
  done
  [ "$red" -eq 0 ] || fail "the line stayed red after the pointer left the window ($red red pixels)"
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
  if probe_window "$VERSIUNI_TITLE"; then
    expect_probed "version history" 'caption "Versiuni"' "client ${VERSIUNI_W}x$VERSIUNI_H"
    expect_child "version history" OK 16,568 497x25
  fi
  expect_label "$OPENED" "$VERSIUNI_W" "$VERSIUNI_H" versiuni 128 32 'MS Sans Serif' -21 1 'Zavrin computer - Versiuni'
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
  [ "${WIDTH}x$HEIGHT" = 284x344 ] || fail "the About window's frame is ${WIDTH}x$HEIGHT on the screen, expected 284x344"
  if probe_window 'Despre ... '; then
    expect_probed "About window" 'caption "Despre ... "' "client ${DESPRE_W}x$DESPRE_H" "frame 284x344"
    expect_child "About window" Ok 168,80 75x25
  fi
  expect_label "$OPENED" "$DESPRE_W" "$DESPRE_H" despre 16 24 Arial -13 1 'Zavrin computer v4.01'
  expect_label "$OPENED" "$DESPRE_W" "$DESPRE_H" despre 176 48 'MS Sans Serif' -12 0 '10 mai 2003'
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

# The exit prompt as its layout gives it: caption, client size, the two buttons and the two lines.
scenario_prompt_window() {
  start_app || return
  open_exit_prompt || return
  if probe_window 'Iesire'; then
    expect_probed "exit prompt" 'caption "Iesire"' "client ${PROMPT_W}x$PROMPT_H"
    expect_child "exit prompt" NU 16,56 129x25
    expect_child "exit prompt" DA 168,56 129x25
  fi
  expect_label "$PROMPT" "$PROMPT_W" "$PROMPT_H" prompt 24 16 'MS Sans Serif' -11 0 \
    'Iesirea din program va duce la intreruperea executiei zavrinii'
  expect_label "$PROMPT" "$PROMPT_W" "$PROMPT_H" prompt 64 32 'MS Sans Serif' -13 1 'Doriti sa parasiti programul ?'
  alive "$APP" || fail "the program ended"
}

# The settings window ("Setari" > "Interfata"): its frame is the layout's 304 x 172, and the check
# box, unchecked on a first run, sits where the layout puts it.
SETARI_TITLE='Setari interfata'
scenario_setari_window() {
  reg_forget
  start_app || return
  pick_menu 1 3
  OPENED=$(wait_window "$SETARI_TITLE" 5000) || { fail "\"Interfata\" did not show the settings window"; return; }
  shot setari "$OPENED"
  if probe_window "$SETARI_TITLE"; then
    local client_w client_h
    read -r client_w client_h < <(sed -n 's/^client \([0-9]*\)x\([0-9]*\)$/\1 \2/p' <<<"$PROBED")
    expect_probed "settings window" "caption \"$SETARI_TITLE\"" "frame 304x172"
    geometry "$OPENED" "${client_w:-0}" "${client_h:-0}"
    [ "${GW}x$GH" = 304x172 ] && [ $(( GW - 2 * BORDER )) -eq "${client_w:-0}" ] ||
      fail "the settings window is ${GW}x$GH on the screen around a ${client_w}x$client_h client area, expected 304x172"
    expect_child "settings window" 'Arata dialog atentionare la iesire' 48,64 177x17
  fi
  alive "$APP" || fail "the program ended"
}

# The task bar shows one button for the program, titled "Zavrin 4" (the application's title), not
# one per window.
scenario_taskbar_title() {
  start_app || return
  [ -n "$PROBE" ] || { fail "run-all was given no window probe"; return; }
  local buttons
  buttons=$(wine "$PROBE" taskbar "$MAIN_TITLE" 2>/dev/null | tr -d '\r')
  [ "$buttons" = 'button "Zavrin 4"' ] || fail "the task bar would show [$(paste -sd'|' <<<"$buttons")], expected one button \"Zavrin 4\""
  [ -n "$(xdotool search --pid "$APP" --name '^Zavrin 4$' 2>/dev/null)" ] || fail "no window of the program is named \"Zavrin 4\" on the X server"
}

ALL_SCENARIOS+=(info-window versiuni-window despre-window prompt-window setari-window taskbar-title)
