#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the Windows packages of a build (target windows_packages) under Wine:
# the zip holds exactly the expected files; the installer, run silently, puts
# the files into Program Files, adds the Start-menu entry and the uninstall key,
# and the installed tlcalc-cli.exe runs; its uninstaller, run silently, leaves
# none of them behind. One line per check; fails when any check fails.
#   bash scripts/windows/check-installer.sh [BUILD_DIR]    (default build-windows)
set -uo pipefail
cd "$(dirname "$0")/../.."
build=$(realpath "${1:-build-windows}")
wine_run=$build/wine-run
export WINEPREFIX=${TLCALC_WINEPREFIX:-$build/wine}
# Wine would also copy the Start-menu entry into this machine's own menu.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
# Wine names files on Linux in the locale's encoding: the entry's name is Cyrillic.
export LC_ALL=C.UTF-8

failures=0
check() { # DESCRIPTION COMMAND...: runs the command, prints ok or FAIL
    local what=$1
    shift
    if "$@"; then
        echo "ok   $what"
    else
        echo "FAIL $what"
        failures=$((failures + 1))
    fi
}
same_list() { # EXPECTED ACTUAL: two lists of lines, in any order
    [[ "$(sort <<<"$1")" == "$(sort <<<"$2")" ]] || {
        diff <(sort <<<"$1") <(sort <<<"$2") | sed 's/^/     /'
        return 1
    }
}
wait_for_wine() { wineserver -w; }

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt" 2>/dev/null)
zip_file=$build/tlcalc-$version-windows-x64.zip
setup=$build/tlcalc-$version-setup.exe
if [[ -z $version || ! -x $wine_run ]]; then
    echo "FAIL $build is no configured Windows build (scripts/windows/build.sh makes one)"
    exit 1
fi
for made in "$zip_file" "$setup"; do
    if [[ ! -f $made ]]; then
        echo "FAIL $made is missing: build the target windows_packages"
        exit 1
    fi
done

files="tlcalc.exe
tlcalc-cli.exe
Kompass.jpg
README.txt
COPYING.txt
NOTICES.txt"

check "the zip holds tlcalc-$version/ with exactly the expected files" \
    same_list "$(sed "s|^|tlcalc-$version/|" <<<"$files")" "$(cmake -E tar tf "$zip_file")"

key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\tlcalc'
install_dir=$WINEPREFIX/drive_c/Program\ Files/TL\ Calculator
programs_menu=$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start\ Menu/Programs
shortcut=$programs_menu/ТЛ\ калькулятор.lnk
win_install_dir='C:\Program Files\TL Calculator'
exported_key=$WINEPREFIX/drive_c/windows/temp/tlcalc-uninstall-key.reg

# Wine boots before its first program, as in test.sh.
"$wine_run" cmd /c exit >/dev/null 2>&1
# What an earlier run that stopped half-way left behind.
if [[ -e $install_dir ]] || "$wine_run" reg query "$key" /reg:64 >/dev/null 2>&1; then
    echo "     removing an earlier install"
    rm -rf "$install_dir" "$shortcut"
    "$wine_run" reg delete "$key" /f /reg:64 >/dev/null 2>&1
    wait_for_wine
fi

# The installer's own process installs everything before it ends.
check "tlcalc-$version-setup.exe /S ends successfully" "$wine_run" "$setup" /S
wait_for_wine
check "Program Files\\TL Calculator holds exactly the files and uninstall.exe" \
    same_list "$files"$'\n'uninstall.exe "$(cd "$install_dir" 2>/dev/null && find . -mindepth 1 -printf '%P\n')"
unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
(cd "$unpacked" && cmake -E tar xf "$zip_file")
while read -r file; do
    check "  the installed $file is the zip's" cmp -s "$install_dir/$file" "$unpacked/tlcalc-$version/$file"
done <<<"$files"
check "the Start menu has the entry ТЛ калькулятор" test -f "$shortcut"

uninstall_values() { # the uninstall key's values, one "name"="value" a line
    rm -f "$exported_key"
    "$wine_run" reg export "$key" 'C:\windows\temp\tlcalc-uninstall-key.reg' /y /reg:64 \
        >/dev/null 2>&1 && iconv -f UTF-16 -t UTF-8 "$exported_key" | tr -d '\r'
    rm -f "$exported_key"
}
values=$(uninstall_values)
has_value() { grep -qxF "$1" <<<"$values"; }
check "the uninstall key is in the registry" test -n "$values"
check "  DisplayName is ТЛ калькулятор" has_value '"DisplayName"="ТЛ калькулятор"'
check "  DisplayVersion is $version" has_value "\"DisplayVersion\"=\"$version\""
check "  Publisher is TL Calculator developers" has_value '"Publisher"="TL Calculator developers"'
check "  DisplayIcon is tlcalc.exe" has_value '"DisplayIcon"="C:\\Program Files\\TL Calculator\\tlcalc.exe,0"'
check "  InstallLocation is the install folder" has_value '"InstallLocation"="C:\\Program Files\\TL Calculator"'
check "  UninstallString runs uninstall.exe" \
    has_value '"UninstallString"="\"C:\\Program Files\\TL Calculator\\uninstall.exe\""'
check "  QuietUninstallString runs uninstall.exe /S" \
    has_value '"QuietUninstallString"="\"C:\\Program Files\\TL Calculator\\uninstall.exe\" /S"'
check "  EstimatedSize is set" grep -q '^"EstimatedSize"=dword:' <<<"$values"
check "  NoModify is set" has_value '"NoModify"=dword:00000001'
check "  NoRepair is set" has_value '"NoRepair"=dword:00000001'

version_texts() { # EXE: the texts of its version information
    wrestool --extract --raw --type=16 "$1" 2>/dev/null | iconv -f UTF-16LE -t UTF-8 -c | tr -d '\0'
}
carries_version() { # EXE DESCRIPTION
    local texts
    texts=$(version_texts "$1")
    grep -qF "ProductNameТЛ калькулятор" <<<"$texts" &&
        grep -qF "FileDescription$2" <<<"$texts" &&
        grep -qF "ProductVersion$version" <<<"$texts" &&
        wrestool --list --type=14 "$1" | grep -q .
}
if command -v wrestool >/dev/null; then
    check "the installed tlcalc.exe carries its icon and version information" \
        carries_version "$install_dir/tlcalc.exe" "ТЛ калькулятор"
    check "the installed tlcalc-cli.exe carries its icon and version information" \
        carries_version "$install_dir/tlcalc-cli.exe" "ТЛ калькулятор: командная строка"
fi

cli_version=$("$wine_run" "$win_install_dir\\tlcalc-cli.exe" --version 2>&1 | head -n 1 | tr -d '\r')
check "the installed tlcalc-cli.exe --version prints tlcalc-cli $version" \
    test "$cli_version" == "tlcalc-cli $version"

# The uninstaller copies itself into the temporary folder, starts the copy and
# ends at once; the copy removes the files. wineserver -w waits for it.
check "uninstall.exe /S ends successfully" "$wine_run" "$win_install_dir\\uninstall.exe" /S
wait_for_wine
check "the install folder is gone" test ! -e "$install_dir"
check "the Start-menu entry is gone" test ! -e "$shortcut"
check "the uninstall key is gone" test -z "$(uninstall_values)"
# The copy is left for Windows to remove when it next starts.
rm -rf "$WINEPREFIX"/drive_c/users/*/Temp/~nsu*.tmp

if ((failures)); then
    echo "$failures check(s) of the Windows packages failed"
    exit 1
fi
echo "The Windows packages passed every check"
