#!/usr/bin/env bash
# Makes a Wine prefix for the tests: a fresh profile with the settings that make tests quick and
# honest. Usage: make-prefix.sh <absolute prefix dir> [url log file]
#  - no window manager on the virtual display: windows are unmanaged, so hiding one costs nothing;
#  - web pages opened through the shell are appended to the url log instead of opening a browser;
#  - a crash ends the process instead of waiting behind Wine's crash dialog;
#  - Wine's own fonts (Debian's fonts-wine) in C:\windows\Fonts, where Wine 8 finds them: without them
#    the caption buttons show letters and wider stand-ins for Tahoma change every text's size.
set -euo pipefail
prefix=$1
log=${2:-$prefix/opened-urls.log}
fonts=/usr/share/wine/fonts
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree,mshtml="

[ -f "$fonts/marlett.ttf" ] || { echo "make-prefix.sh: Wine's fonts are missing: install fonts-wine (./dev build does)" >&2; exit 1; }

if [ ! -f "$prefix/.tavrin-ready" ]; then
    rm -rf "$prefix"
    mkdir -p "$prefix"
    wine wineboot -i >/dev/null 2>&1
    logger="$prefix/url-logger.sh"
    printf '#!/bin/sh\nprintf "%%s\\n" "$*" >> "%s"\n' "$log" > "$logger"
    chmod +x "$logger"
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\WineBrowser' /v Browsers /d "$logger" /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    wineserver -w
    touch "$prefix/.tavrin-ready"
fi
# Also for a prefix made before the fonts were part of it.
mkdir -p "$prefix/drive_c/windows/Fonts"
cp -u "$fonts"/* "$prefix/drive_c/windows/Fonts/"
