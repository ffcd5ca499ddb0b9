# The styled look of the main window and the exit prompt: buttons flat until the pointer is over
# one, the mail link red under the pointer, hints in the white box with the help picture.
# Sourced by run-all, whose helpers these use.

# Moves the pointer to a point of the main window's client area.
move_main() { # x y
  geometry "$MAIN" "$MAIN_W" "$MAIN_H"
  xdotool mousemove "$(( CLIENT_X + $1 ))" "$(( CLIENT_Y + $2 ))"
}

# The colour of one client pixel in a screenshot of a window, as rrggbb.
client_pixel() { # png client-width client-height x y   (geometry of the window taken before)
  local cy=$(( GH - $3 - BORDER ))
  convert "$1" -crop "1x1+$(( BORDER + $4 ))+$(( cy + $5 ))" +repage -format '%[hex:p{0,0}]' info: 2>/dev/null |
    tr 'A-F' 'a-f' | cut -c1-6
}

# How many pixels of one colour a client rectangle of a screenshot holds.
client_count() { # png client-width client-height x y w h colour
  local cy=$(( GH - $3 - BORDER ))
  convert "$1" -crop "${6}x${7}+$(( BORDER + $4 ))+$(( cy + $5 ))" +repage -fill black +opaque "$8" \
    -fill white -opaque "$8" -format '%[fx:int(mean*w*h+0.5)]' info: 2>/dev/null
}

scenario_styled_look() {
  reg_forget
  start_app || return
  local png=$SHOTS/e2e-$SCENARIO
  xdotool mousemove 1010 750
  sleep 0.4
  shot away "$MAIN"
  geometry "$MAIN" "$MAIN_W" "$MAIN_H"
  # "Anuleaza" (36,128 81x25): flat, its bottom edge in the window's colour. ("Valideaza" is the
  # default button and keeps its black frame.)
  local face edge
  face=$(client_pixel "$png-away.png" "$MAIN_W" "$MAIN_H" 20 100)
  edge=$(client_pixel "$png-away.png" "$MAIN_W" "$MAIN_H" 76 152)
  say "window colour $face, bottom edge of Anuleaza away from the pointer $edge"
  [ -n "$edge" ] && [ "$edge" = "$face" ] || fail "the flat button's bottom edge is $edge, not the window's $face"
  local red
  red=$(client_count "$png-away.png" "$MAIN_W" "$MAIN_H" 264 272 140 16 '#ff0000')
  [ "${red:-1}" -eq 0 ] || fail "the mail link shows $red red pixels with the pointer away"

  move_main 76 140
  sleep 0.4
  shot button "$MAIN"
  edge=$(client_pixel "$png-button.png" "$MAIN_W" "$MAIN_H" 76 152)
  say "bottom edge of Anuleaza under the pointer $edge"
  [ -n "$edge" ] && [ "$edge" != "$face" ] || fail "the button stays flat under the pointer"
  sleep 0.8 # the hint pause
  import -window root "$png-hint.png" 2>/dev/null || say "could not save the hint screenshot"
  local hint
  hint=$(xdotool search --onlyvisible --pid "$APP" 2>/dev/null | while read -r id; do
    eval "$(xdotool getwindowgeometry --shell "$id")"
    [ "$HEIGHT" -gt 10 ] && [ "$HEIGHT" -lt 40 ] && [ "$WIDTH" -gt 40 ] && echo "$id ${WIDTH}x$HEIGHT+$X+$Y"
  done | head -n1)
  if [ -z "$hint" ]; then
    fail "no hint window under the button"
  else
    say "hint window ${hint#* }"
    local hx hy
    hx=$(echo "$hint" | sed 's/.*+\([0-9-]*\)+\([0-9-]*\)$/\1/')
    hy=$(echo "$hint" | sed 's/.*+\([0-9-]*\)+\([0-9-]*\)$/\2/')
    local corner inside
    corner=$(convert "$png-hint.png" -crop "1x1+$hx+$hy" +repage -format '%[hex:p{0,0}]' info: | cut -c1-6)
    inside=$(convert "$png-hint.png" -crop "1x1+$(( hx + 16 ))+$(( hy + 2 ))" +repage -format '%[hex:p{0,0}]' info: | cut -c1-6)
    [ "$corner" = "000000" ] && [ "$inside" = "FFFFFF" ] ||
      fail "the hint is not a white box in a black frame (corner $corner, inside $inside)"
  fi

  move_main 300 278
  sleep 0.4
  shot link "$MAIN"
  red=$(client_count "$png-link.png" "$MAIN_W" "$MAIN_H" 264 272 140 16 '#ff0000')
  say "the mail link under the pointer: $red red pixels"
  [ "${red:-0}" -gt 20 ] || fail "the mail link did not turn red under the pointer"
  xdotool mousemove 1010 750
  sleep 0.3

  open_exit_prompt || { stop_app; return; }
  geometry "$PROMPT" "$PROMPT_W" "$PROMPT_H"
  xdotool mousemove "$(( CLIENT_X + 80 ))" "$(( CLIENT_Y + 68 ))"
  sleep 0.4
  shot prompt-button "$PROMPT"
  click_nu "$PROMPT"
  wait_window "$MAIN_TITLE" 5000 >/dev/null || fail "\"NU\" did not bring the main window back"
  stop_app
}

ALL_SCENARIOS+=(styled-look)
