# Sourced by the Windows tests: Wine set-up and helpers.

export WINEDEBUG=-all
# No offer to download Mono or Gecko: the program needs neither.
export WINEDLLOVERRIDES="mscoree,mshtml="

# A Chinese font for the faces that the controls and the HTML view ask for.
# A Windows with Chinese installed links its own fonts this way; Wine sees
# Debian's fonts but, without these links, draws Chinese as boxes.
cjk_font="wqy-microhei.ttc,WenQuanYi Micro Hei"
linked_faces="Tahoma|MS Shell Dlg|MS Shell Dlg 2|Segoe UI|Microsoft Sans Serif|Arial|Times New Roman|Courier New|DejaVu Sans|DejaVu Sans Mono|DejaVu Serif"
font_link_key='HKCU\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink'

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

# Makes a prefix in the given folder and exports WINEPREFIX.
new_wine_prefix() {
    export WINEPREFIX="$1"
    wineboot -i >/dev/null 2>&1
    link_cjk_font
}
