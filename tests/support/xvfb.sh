# Sourced by the scripts that run the real program on a virtual X display.
#
#   xvfb_start WIDTHxHEIGHT [OUT_DIR]    starts Xvfb on a display it picks itself (no race
#                                        with other scripts starting one at the same time),
#                                        exports DISPLAY and waits until the server answers
#   xvfb_app=PID                         the program started under it, ended on exit
#   xvfb_on_exit FUNCTION                runs FUNCTION on exit as well, after the program
#                                        and the server have ended (also on failure)
#   xvfb_build_maximise                  builds "$xvfb_maximise" WINDOW_ID W H: Xvfb has
#                                        no window manager, so nothing carries out a
#                                        window's request to be maximised; this small X
#                                        client does what the manager would
#
# The EXIT trap belongs to this helper; scripts add their own steps with xvfb_on_exit.
# Scripts running at the same time may share an output folder, so the helper's own files
# (the display number, the X client) live in a private scratch folder.

xvfb_app=""
xvfb_pid=""
xvfb_exit_hooks=()
xvfb_scratch=$(mktemp -d)
xvfb_maximise="$xvfb_scratch/maximise"

xvfb_cleanup() {
  if [ -n "$xvfb_app" ]; then kill "$xvfb_app" 2>/dev/null || true; fi
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
  wait 2>/dev/null || true
  local hook
  for hook in "${xvfb_exit_hooks[@]}"; do "$hook" || true; done
  rm -rf "$xvfb_scratch"
}
trap xvfb_cleanup EXIT
# A run stopped by a signal (a test timeout, Ctrl+C) cleans up as well.
trap 'exit 129' HUP
trap 'exit 130' INT
trap 'exit 143' TERM

xvfb_on_exit() { xvfb_exit_hooks+=("$1"); }

# Servers starting at the same moment can both take one display number: the check for a
# free number and the taking of its lock are not one step in the X server, and the loser
# later removes the socket the other one's clients need. Starts are taken one at a time.
xvfb_start() {
  local status=0
  exec {xvfb_lock_fd}>"${TMPDIR:-/tmp}/quarlo-xvfb-start.lock"
  flock "$xvfb_lock_fd"
  xvfb_start_alone "$@" || status=$?
  exec {xvfb_lock_fd}>&-
  return $status
}

xvfb_start_alone() {
  local size=$1 number=""
  local displayfile="$xvfb_scratch/xvfb.display"
  : >"$displayfile"
  # -noreset: by default the server resets when its last client leaves (the readiness
  # check below is such a client), and a program connecting during the reset is refused.
  Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp -noreset 3>"$displayfile" {xvfb_lock_fd}>&- >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 100); do
    number=$(tr -dc '0-9' <"$displayfile")
    [ -n "$number" ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || { echo "Xvfb did not start"; return 1; }
    sleep 0.1
  done
  [ -n "$number" ] || { echo "Xvfb chose no display"; return 1; }
  export DISPLAY=":$number"
  for _ in $(seq 50); do xwininfo -root >/dev/null 2>&1 && return 0; sleep 0.1; done
  echo "Xvfb does not answer on $DISPLAY"
  return 1
}

xvfb_build_maximise() {
  cat >"$xvfb_scratch/maximise.c" <<'C'
#include <X11/Xlib.h>
#include <stdlib.h>
int main(int argc, char** argv) {
  Display* d = XOpenDisplay(0);
  if (!d || argc < 4) return 1;
  XMoveResizeWindow(d, strtoul(argv[1], 0, 0), 0, 0, atoi(argv[2]), atoi(argv[3]));
  XSync(d, False);
  XCloseDisplay(d);
  return 0;
}
C
  cc -o "$xvfb_maximise" "$xvfb_scratch/maximise.c" -lX11 2>/dev/null
}
