# The main window's group boxes and the shadow behind the machine-name field: a click on the
# "Tipul actiunii" tab collapses the box to its tab, a second one brings it back whole, and the
# shadow under the edit is a checkerboard of black and the group's face colour.
# Sourced by run-all, whose helpers these use.

# The colour of one client pixel of the main window in a screenshot of it, as rrggbb.
main_pixel() { # png x y   (geometry of the main window taken before)
  local cy=$(( GH - MAIN_H - BORDER ))
  convert "$1" -crop "1x1+$(( BORDER + $2 ))+$(( cy + $3 ))" +repage -format '%[hex:p{0,0}]' info: 2>/dev/null |
    tr 'A-F' 'a-f' | cut -c1-6
}

scenario_group_collapse() {
  reg_forget
  start_app || return
  local png=$SHOTS/e2e-$SCENARIO
  xdotool mousemove 1010 750
  sleep 0.3
  shot expanded "$MAIN"
  geometry "$MAIN" "$MAIN_W" "$MAIN_H"
  # glGroupBox1 is at 256,16, 145 x 105: its left frame line runs down x = 256.
  local face frame
  face=$(main_pixel "$png-expanded.png" 20 100)
  frame=$(main_pixel "$png-expanded.png" 256 90)
  say "window colour $face, the group's left frame $frame"
  [ -n "$frame" ] && [ "$frame" != "$face" ] || fail "no frame line along the group's left edge"

  # The shadow under the edit (group1 at 256,128; shadow at 12,95 with depth 6; the edit ends 20
  # pixels down): two neighbouring pixels of its lowest rows, one dark, one of the face colour.
  local a b
  a=$(main_pixel "$png-expanded.png" $(( 256 + 12 + 20 )) $(( 128 + 95 + 22 )))
  b=$(main_pixel "$png-expanded.png" $(( 256 + 12 + 21 )) $(( 128 + 95 + 22 )))
  say "shadow pixels $a $b"
  { [ "$a" = 000000 ] && [ "$b" = "$face" ]; } || { [ "$b" = 000000 ] && [ "$a" = "$face" ]; } ||
    fail "the shadow under the machine-name field is not a black and face checkerboard ($a $b)"

  click_main $(( 256 + 30 )) $(( 16 + 6 ))
  shot collapsed "$MAIN"
  local gone
  gone=$(main_pixel "$png-collapsed.png" 256 90)
  say "after a click on the tab, where the frame was: $gone"
  [ "$gone" = "$face" ] || fail "the group did not collapse to its tab ($gone at its old frame)"

  click_main $(( 256 + 30 )) $(( 16 + 6 ))
  shot expanded-again "$MAIN"
  local back
  back=$(main_pixel "$png-expanded-again.png" 256 90)
  [ "$back" = "$frame" ] || fail "the group did not come back whole ($back at its frame)"
  stop_app
}

ALL_SCENARIOS+=(group-collapse)
