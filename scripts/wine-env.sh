# Sourced by the run and test scripts: a 64-bit Wine prefix of the project's own, one
# persistent wineserver for all the Wine processes of a run, and Wine's virtual desktop
# (without a window manager Wine would draw no captions and wait on every close).
#   wine_start <prefix> <desktop: yes|no>    wine_fresh    wine_stop

wine_start() {
    export WINEPREFIX=$1 WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    local desktop=$2
    mkdir -p "$WINEPREFIX"
    if [ ! -f "$WINEPREFIX/.orvanta-ready" ]; then
        wineserver -p
        wineboot -i >/dev/null 2>&1
        cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
        touch "$WINEPREFIX/.orvanta-ready"
    fi
    # Wine links the user's Documents folder to $HOME; the prefix keeps its own, so that the
    # production log of a run stays inside the prefix.
    local documents="$WINEPREFIX/drive_c/users/$(id -un)/Documents"
    if [ -L "$documents" ]; then
        rm "$documents"
        mkdir "$documents"
    fi
    if [ "$desktop" = yes ]; then
        wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
        wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
    else
        wine reg delete 'HKCU\Software\Wine\Explorer' /v Desktop /f >/dev/null 2>&1 || true
    fi
    # Restart the server so that the desktop setting takes effect, then keep it running.
    wine_fresh
}

# A new server, with Wine's own services and the desktop started now, detached from our
# output: started by a test instead, they would inherit and hold the test runner's pipes.
# The desktop ends a second after the last program on it, and from then on each program that
# opens a window starts a desktop of its own, which costs a second or more: so a run that
# waited since wine_start begins with wine_fresh.
wine_fresh() {
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    wineserver -p
    wine cmd /c exit </dev/null >/dev/null 2>&1 || true
}

wine_stop() {
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
}
