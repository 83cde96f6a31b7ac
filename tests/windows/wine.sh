# Sourced by the Windows tests: Wine set-up and helpers.

export WINEDEBUG=-all
# No offer to download Mono or Gecko: the program needs neither.
export WINEDLLOVERRIDES="mscoree,mshtml="

# A Chinese font for the faces that the controls and the HTML view ask for.
# A Windows with Chinese installed links its own fonts this way; Wine sees
# Debian's fonts but, without these links, draws Chinese as boxes.
cjk_font="wqy-microhei.ttc,WenQuanYi Micro Hei"
linked_faces="Tahoma|MS Shell Dlg|MS Shell Dlg 2|Segoe UI|Microsoft Sans Serif|Arial|Times New Roman|Courier New|DejaVu Sans|DejaVu Sans Mono|DejaVu Serif"
font_link_key='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink'

link_cjk_font() {
    echo "$linked_faces" | tr '|' '\n' | while read -r face; do
        for variant in "$face" "$face Bold"; do
            wine reg add "$font_link_key" /v "$variant" /t REG_MULTI_SZ /d "$cjk_font" /f >/dev/null
        done
    done
}

unlink_cjk_font() {
    wine reg delete "$font_link_key" /f >/dev/null
}

# Makes a prefix in the given folder and exports WINEPREFIX. Its server
# stays up until "wineserver -k", so that each program starts quickly.
new_wine_prefix() {
    export WINEPREFIX="$1"
    mkdir -p "$WINEPREFIX"
    wineserver -p
    wineboot -i >/dev/null 2>&1
    link_cjk_font
    # Wine draws the window frames itself, as Windows does; the test display
    # has no window manager to draw them.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null
}

# A scratch folder for the test ($work) and the program it starts (its
# process id goes in $program): when the script ends the program is stopped
# and the folder removed, with a prefix made in it and that prefix's server.
make_scratch() {
    work=$(mktemp -d)
    program=""
    trap end_scratch EXIT
}

end_scratch() {
    [ -z "$program" ] || kill "$program" 2>/dev/null || true
    case ${WINEPREFIX:-} in
    "$work"/*) wineserver -k 2>/dev/null || true ;;
    esac
    rm -rf "$work"
}

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# The program's settings, as the library keeps them on Windows.
settings_key='HKCU\Software\Larkvale\Pairavel'
chinese_title="恋人估价器"

# Waits for a visible top-level window whose title is exactly the given text
# and prints its X window id.
wait_window() {
    timeout 60 xdotool search --sync --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1
}

# Whether a visible window has exactly this title now.
has_window() {
    xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1
}

# Asks the program to close as the desktop's close command does, and waits
# until the process (the given id) has ended.
close_program() {
    wine taskkill /im amorquant.exe >/dev/null 2>&1 || true
    for _ in $(seq 300); do
        kill -0 "$1" 2>/dev/null || return 0
        sleep 0.2
    done
    fail "the program did not close"
}

# The system's colours of a high-contrast scheme, white on black, as a user
# with low vision sets them; programs started afterwards draw with them. Wine
# reads the colours when its server starts, and reports no scheme as such.
use_high_contrast() {
    reg=$(mktemp --suffix=.reg)
    cat >"$reg" <<'COLOURS'
REGEDIT4

[HKEY_CURRENT_USER\Control Panel\Colors]
"ActiveBorder"="255 255 0"
"ActiveTitle"="128 0 128"
"AppWorkspace"="0 0 0"
"Background"="0 0 0"
"ButtonAlternateFace"="192 192 192"
"ButtonDkShadow"="255 255 255"
"ButtonFace"="0 0 0"
"ButtonHilight"="255 255 255"
"ButtonLight"="192 192 192"
"ButtonShadow"="128 128 128"
"ButtonText"="255 255 255"
"GradientActiveTitle"="128 0 128"
"GradientInactiveTitle"="0 128 0"
"GrayText"="63 242 63"
"Hilight"="26 235 255"
"HilightText"="0 0 0"
"HotTrackingColor"="255 255 0"
"InactiveBorder"="0 128 0"
"InactiveTitle"="0 128 0"
"InactiveTitleText"="255 255 255"
"InfoText"="255 255 255"
"InfoWindow"="0 0 0"
"Menu"="0 0 0"
"MenuBar"="0 0 0"
"MenuHilight"="128 0 128"
"MenuText"="255 255 255"
"Scrollbar"="0 0 0"
"TitleText"="255 255 255"
"Window"="0 0 0"
"WindowFrame"="255 255 255"
"WindowText"="255 255 255"

[HKEY_CURRENT_USER\Control Panel\Accessibility\HighContrast]
"Flags"="127"
"High Contrast Scheme"="High Contrast Black"
COLOURS
    wine regedit /S "$(winepath -w "$reg")"
    rm -f "$reg"
    wineserver -k
}
