#!/usr/bin/env bash
# SIGTERM (a logout), SIGHUP (the terminal closed) and SIGINT (Ctrl+C) end
# Vernium through its normal shut-down: status 0 and the scaling file written.
# Usage: shutdown_signals.sh PROGRAM
set -u
program=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The windows' places are kept here, not in the user's own settings.
export XDG_CONFIG_HOME="$work/config"
failed=0
for signal in TERM HUP INT; do
  out="$work/$signal"
  mkdir "$out"
  QT_QPA_PLATFORM=offscreen "$program" --device SIM-PORTABLE --output-dir "$out" \
    >"$out.log" 2>&1 &
  pid=$!
  # Wait until the program catches the signals (bit 15 of SigCgt is SIGTERM)
  # and has had a moment to show its window.
  for _ in $(seq 1 300); do
    caught=$(awk '/^SigCgt:/ {print $2}' "/proc/$pid/status" 2>/dev/null)
    [ -n "$caught" ] && (( (16#$caught >> 14) & 1 )) && break
    sleep 0.05
  done
  sleep 1
  kill -s "$signal" "$pid"
  wait "$pid"
  status=$?
  if [ "$status" -ne 0 ]; then
    echo "SIG$signal: exit status $status, expected 0"; cat "$out.log"; failed=1
  elif ! head -n 1 "$out/sgc10.ini" 2>/dev/null | grep -q '^;SGC 10 mx+b file'; then
    echo "SIG$signal: no scaling file written"; cat "$out.log"; failed=1
  elif ! grep -q '^Main\\geometry=' "$XDG_CONFIG_HOME/Vernium/vernium.ini" 2>/dev/null; then
    echo "SIG$signal: the main window's place was not kept"; failed=1
  else
    echo "SIG$signal: status 0, scaling file written"
  fi
done
exit $failed
