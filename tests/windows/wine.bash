# Wine for the Windows tests: a throwaway prefix and home per run, no debug
# chatter, no window manager waits. Source it; it sets WINEPREFIX and HOME,
# makes the prefix (about 10 s) and ends only its own wineserver on exit.

WINE_RUN_DIR=$(mktemp -d /tmp/coralux-wine-XXXXXX)
export WINEPREFIX=$WINE_RUN_DIR/prefix HOME=$WINE_RUN_DIR/home
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
mkdir -p "$HOME"

end_wine() {
  WINEPREFIX=$WINE_RUN_DIR/prefix wineserver -k 2>/dev/null || true
  rm -rf "$WINE_RUN_DIR"
}
trap end_wine EXIT

wineboot --init >/dev/null 2>&1
# Without a window manager every DestroyWindow would wait 2 s for one.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
wineserver -w
