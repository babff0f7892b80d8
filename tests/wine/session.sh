#!/usr/bin/env bash
# A Wine session for the end-to-end tests: a fresh prefix and a virtual X display of its own.
#   session.sh start DIR        make DIR/prefix, start Xvfb and a persistent wineserver
#   session.sh run DIR EXE ...  run a Windows program in that session
#   session.sh stop DIR         end every Wine process of the session and the display
set -euo pipefail

cmd=${1:?usage: session.sh start|run|stop DIR ...}
dir=${2:?usage: session.sh start|run|stop DIR ...}
shift 2

SCREEN_GEOMETRY=${KAPTO_SCREEN:-1024x768x24}

free_display() {
    local n
    for n in $(seq 90 199); do
        if [ ! -e /tmp/.X11-unix/X$n ] && [ ! -e /tmp/.X$n-lock ]; then
            echo $n
            return
        fi
    done
    echo "no free X display number" >&2
    exit 1
}

stop_session() {
    if [ -f "$dir/env" ]; then
        # shellcheck disable=SC1091
        . "$dir/env"
        wineserver -k 2>/dev/null || true
        wineserver -w 2>/dev/null || true
    fi
    if [ -f "$dir/xvfb.pid" ]; then
        kill "$(cat "$dir/xvfb.pid")" 2>/dev/null || true
        rm -f "$dir/xvfb.pid"
    fi
}

case $cmd in
start)
    stop_session
    rm -rf "$dir"
    mkdir -p "$dir"
    display=$(free_display)
    Xvfb ":$display" -screen 0 "$SCREEN_GEOMETRY" -nolisten tcp >"$dir/xvfb.log" 2>&1 &
    echo $! >"$dir/xvfb.pid"
    for _ in $(seq 100); do
        [ -e "/tmp/.X11-unix/X$display" ] && break
        sleep 0.1
    done
    cat >"$dir/env" <<EOT
export DISPLAY=:$display
export WINEPREFIX=$dir/prefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINEARCH=win64
EOT
    . "$dir/env"
    # One persistent server for the whole session: every program of a test starts faster.
    mkdir -p "$WINEPREFIX"
    wineserver -p >/dev/null 2>&1
    wineboot -i >"$dir/wineboot.log" 2>&1
    # A crashing test program must fail its test, not wait for someone to close a dialog.
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
        >/dev/null 2>&1
    # No window manager runs on the virtual display: windows Wine hands to one would make
    # every hide wait for a reply that never comes.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
    echo "Wine session ready: DISPLAY=:$display WINEPREFIX=$dir/prefix"
    ;;
run)
    # shellcheck disable=SC1091
    . "$dir/env"
    exec wine "$@"
    ;;
stop)
    stop_session
    ;;
*)
    echo "usage: session.sh start|run|stop DIR ..." >&2
    exit 2
    ;;
esac
