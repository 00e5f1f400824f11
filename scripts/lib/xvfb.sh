# Shared by the scripts that need an X server of their own: `start_xvfb SIZE FOLDER` starts a
# private Xvfb with one screen of SIZE (WIDTHxHEIGHT, 24-bit), sets `xvfb` to its process and
# exports DISPLAY; the server writes its display's number into FOLDER/display.
start_xvfb() {
    Xvfb -displayfd 3 -screen 0 "$1x24" -nolisten tcp 3>"$2/display" >/dev/null 2>&1 &
    xvfb=$!
    for _ in $(seq 100); do
        [ -s "$2/display" ] && break
        sleep 0.05
    done
    export DISPLAY=":$(cat "$2/display")"
}
