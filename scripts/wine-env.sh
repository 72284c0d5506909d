# Sourced: prepares the Wine prefix of a Windows build tree, starts an X virtual frame buffer
# when there is no display and keeps one Wine server running until the calling shell exits.
# Usage: source scripts/wine-env.sh BUILD_DIR

krv_build_dir=$(realpath "$1")
export WINEPREFIX="$krv_build_dir/wineprefix"
export WINEDEBUG=-all
# The prefix's font mapping follows the locale: setup and every run use the same one.
export LC_ALL=C.UTF-8

krv_xvfb_pid=
if [ -z "${DISPLAY:-}" ] || [ "${KRV_OWN_DISPLAY:-0}" = 1 ]; then
    krv_display_file=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$krv_display_file" >/dev/null 2>&1 &
    krv_xvfb_pid=$!
    for _ in $(seq 100); do
        [ -s "$krv_display_file" ] && break
        sleep 0.1
    done
    if [ ! -s "$krv_display_file" ]; then
        echo "wine-env.sh: Xvfb did not start" >&2
        rm -f "$krv_display_file"
        return 1
    fi
    export DISPLAY=":$(cat "$krv_display_file")"
    rm -f "$krv_display_file"
fi

krv_wine_stop() {
    wineserver -k 2>/dev/null || true
    if [ -n "$krv_xvfb_pid" ]; then
        kill "$krv_xvfb_pid" 2>/dev/null || true
        wait "$krv_xvfb_pid" 2>/dev/null || true
    fi
}
trap krv_wine_stop EXIT

if [ ! -f "$WINEPREFIX/.krv-ready" ]; then
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    # No Mono or Gecko installer: the first start must not wait on a download dialog.
    WINEDLLOVERRIDES="mscoree,mshtml=" wineboot -i >/dev/null 2>&1
    wineserver -w
    # Without a window manager every hide or destroy of a top-level window stalls otherwise.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f >/dev/null 2>&1
    # Chinese texts need a font that has the glyphs; every face the program asks for maps to it.
    krv_font="WenQuanYi Micro Hei"
    for face in "MS Shell Dlg" "MS Shell Dlg 2" "Tahoma" "SimSun" "宋体" "NSimSun" "Microsoft YaHei"; do
        wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' \
            /v "$face" /t REG_SZ /d "$krv_font" /f >/dev/null 2>&1
        wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
            /v "$face" /t REG_MULTI_SZ /d "wqy-microhei.ttc,$krv_font" /f >/dev/null 2>&1
    done
    wineserver -w
    touch "$WINEPREFIX/.krv-ready"
fi

wineserver -p
wine cmd /c exit 0 >/dev/null 2>&1 || true
