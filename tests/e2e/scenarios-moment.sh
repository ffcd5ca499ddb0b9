# The armed moment as the user means it: a moment an hour earlier today is refused by "Valideaza",
# with a warning that says so, and nothing is sent. Sourced by run-all, whose helpers these use
# (read_warning and expect_warning_says come from scenarios-requests.sh).

scenario_moment_past_refused() {
  reg_forget
  start_app || return
  local hour minute
  hour=$((10#$(date +%H))) minute=$((10#$(date +%M)))
  # Stay clear of a minute's turn while the field is edited.
  [ "$((10#$(date +%S)))" -lt 55 ] || sleep 6
  if [ "$hour" -gt 0 ]; then
    click_main 140 26 # the hour field
    xdotool key Down
    say "armed for an hour ago, $(date -d '1 hour ago' +%H):$(date +%M)"
  elif [ "$minute" -gt 1 ]; then
    click_main 140 26
    xdotool key Right Down Down # two minutes ago: the hour before would be tomorrow's
    say "armed for two minutes ago (just after midnight)"
  else
    say "the first minutes after midnight have no earlier moment today: nothing to try"
    stop_app
    return
  fi
  click_valideaza
  if read_warning 5000; then
    expect_warning_says "a trecut deja"
    expect_warning_says "nimic nu a fost stabilit"
  fi
  sleep 2.5
  [ "$(log_lines)" -eq 0 ] && [ "$(refused_lines)" -eq 0 ] ||
    fail "a moment in the past still reached shutdown.exe: [$(cat "$LOG" "$REFUSED" 2>/dev/null | paste -sd'|')]"
  [ -z "$(visible_window 'Atentie')" ] || fail "a second warning came for a moment that was never armed"
  alive "$APP" || fail "the program ended after the refusal"
  shot main-after "$MAIN"
  stop_app
}

ALL_SCENARIOS+=(moment-past-refused)
