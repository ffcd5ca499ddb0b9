# The countdown window and the remaining-time strip: reached from the main window's "Temporizator",
# one minute confirmed, the strip on top of the others while it counts, one shut-down at the end.
# Sourced by run-all, whose helpers it uses.

COUNT_TITLE='Temporizator v4.01'
COUNT_W=251 COUNT_H=236
STRIP_W=432 STRIP_H=57
click_count() { click_client "$COUNT" "$COUNT_W" "$COUNT_H" "$1" "$2"; }

# The colour of one pixel of the screen as "r,g,b".
screen_pixel() { # x y
  import -window root -depth 8 -crop "1x1+$1+$2" txt:- 2>/dev/null | awk 'NR == 2 { gsub(/[()]/, "", $2); print $2 }' |
    cut -d, -f1-3
}

scenario_countdown() {
  reg_forget
  start_app || return
  click_main $((36 + 88)) $((192 + 12)) # "Temporizator"
  if ! COUNT=$(wait_window "$COUNT_TITLE" 5000); then
    fail "\"Temporizator\" did not show the countdown window"
    return
  fi
  local strip
  if ! strip=$(wait_window 'Ramas' 5000); then
    fail "\"Temporizator\" did not show the strip"
    return
  fi
  wait_hidden "$MAIN" 2000 || fail "the main window stayed on the screen next to the countdown"
  eval "$(xdotool getwindowgeometry --shell "$strip")"
  [ "$X,$Y,${WIDTH}x$HEIGHT" = "1,0,${STRIP_W}x$STRIP_H" ] ||
    fail "the strip is ${WIDTH}x$HEIGHT at $X,$Y, expected ${STRIP_W}x$STRIP_H at 1,0 with no frame"
  shot strip-idle "$strip"

  # Moved over the strip, the countdown window stays under it: the bottom line of the strip's black
  # gauge frame is still black. (Without a window manager Wine raises a window that is clicked
  # above every other, on top or not, so this is looked at before anything is clicked.)
  local gx gy frame
  eval "$(xdotool getwindowgeometry --shell "$COUNT")"
  gx=$X gy=$Y
  xdotool windowmove "$COUNT" 120 20
  sleep 0.5
  frame=$(screen_pixel 200 56)
  [ "$frame" = "0,0,0" ] || fail "the countdown window covers the strip (the strip's frame reads $frame)"
  import -window root "$SHOTS/e2e-$SCENARIO-strip-above.png" 2>/dev/null || true
  xdotool windowmove "$COUNT" "$gx" "$gy"
  sleep 0.5

  # One minute, typed into the minutes field, then "Valideaza".
  click_count $((120 + 20)) $((16 + 10))
  xdotool key End BackSpace BackSpace BackSpace BackSpace
  xdotool type --delay 20 1
  local confirmed
  confirmed=$(ms)
  click_count $((24 + 84)) $((104 + 12))
  say "one minute confirmed"

  sleep 20
  shot counting "$COUNT"
  shot strip-counting "$strip"
  import -window root "$SHOTS/e2e-$SCENARIO-screen.png" 2>/dev/null || true
  [ "$(log_lines)" -eq 0 ] || fail "shutdown.exe was started $(( $(ms) - confirmed )) ms into a one-minute count"

  # The 59th second tick fires: between 58 and 59 s after the confirmation, the stub a little later.
  while [ "$(ms)" -lt $(( confirmed + 57500 )) ]; do
    if [ "$(log_lines)" -gt 0 ]; then
      fail "the countdown fired $(( $(ms) - confirmed )) ms after the confirmation, too early"
      break
    fi
    sleep 0.1
  done
  if ! wait_log $(( confirmed + 66000 - $(ms) )); then
    fail "no shut-down within 66 s of confirming one minute"
    return
  fi
  local late=$(( $(first_stamp) - confirmed ))
  say "shutdown.exe created $late ms after the confirmation"
  if [ "$late" -lt 57500 ] || [ "$late" -gt 61500 ]; then
    fail "shutdown.exe was created $late ms after the confirmation, expected about 58 to 59 s"
  fi
  sleep 4 # later ticks must not ask again
  expect_log "-s -t 00"
  shot fired "$COUNT"
  shot strip-fired "$strip"
  alive "$APP" || fail "the program ended after the countdown fired"
  # Nothing on this path writes the setting.
  ! reg_key_exists || fail "the countdown wrote the setting: $REG_KEY exists ($(reg_dialog))"
  stop_app
}

ALL_SCENARIOS+=(countdown)
