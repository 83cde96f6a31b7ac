# Sourced, not run: starts a private Xvfb display, the first free one from
# :50, without resets between clients; exports DISPLAY and leaves the
# server's process id in $xvfb for the caller to stop. The screen is
# 1280x1024 unless given (start_private_display WIDTHxHEIGHT).
start_private_display() {
    display=50
    while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do
        display=$((display + 1))
        [ "$display" -le 99 ] || { echo "no free display between :50 and :99" >&2; exit 1; }
    done
    Xvfb ":$display" -screen 0 "${1:-1280x1024}x24" -nolisten tcp -noreset >/dev/null 2>&1 &
    xvfb=$!
    export DISPLAY=":$display"
    for _ in $(seq 50); do
        xdpyinfo >/dev/null 2>&1 && break
        sleep 0.1
    done
}
