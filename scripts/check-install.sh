#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks what `cmake --install` and `cpack -G DEB` make of a finished build: the
# installed files, the desktop entry and metainfo through their validators, the
# manual pages through man, the installed tlcalc-cli started from another folder,
# and the Debian package's files and dependencies. Builds nothing.
#
#   bash scripts/check-install.sh [--apt] [BUILD [HEADLESS_BUILD]]
#
# BUILD defaults to build/. A HEADLESS_BUILD (-DTLCALC_HEADLESS_ONLY=ON) is checked
# to install the command-line program and its manual page only. With --apt (as
# root, on Debian) the package is also installed with apt, run, and removed again.
set -euo pipefail
cd "$(dirname "$0")/.."

with_apt=false
if [[ "${1:-}" == --apt ]]; then
    with_apt=true
    shift
fi
build=$(realpath "${1:-build}")
headless=${2:+$(realpath "$2")}

id=io.github.tlcalc.tlcalc
installed_files=(
    bin/tlcalc
    bin/tlcalc-cli
    share/applications/"$id".desktop
    share/icons/hicolor/128x128/apps/"$id".png
    share/icons/hicolor/16x16/apps/"$id".png
    share/icons/hicolor/22x22/apps/"$id".png
    share/icons/hicolor/24x24/apps/"$id".png
    share/icons/hicolor/256x256/apps/"$id".png
    share/icons/hicolor/32x32/apps/"$id".png
    share/icons/hicolor/48x48/apps/"$id".png
    share/icons/hicolor/64x64/apps/"$id".png
    share/icons/hicolor/scalable/apps/"$id".svg
    share/man/man1/tlcalc-cli.1
    share/man/man1/tlcalc.1
    share/metainfo/"$id".metainfo.xml
    share/tlcalc/Kompass.jpg
)
headless_files=(
    bin/tlcalc-cli
    share/man/man1/tlcalc-cli.1
)
deck="6п 7п 8п 9п Xп Вп Дп Кп Тп 6б 7б 8б 9б Xб Вб Дб Кб Тб 6к 7к 8к 9к Xк Вк Дк Кк Тк 6ч 7ч 8ч 9ч Xч Вч Дч Кч Тч"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
passed=0
failed=0
check() { # NAME COMMAND...: runs one check, output shown only when it fails
    local name=$1
    shift
    if "$@" > "$work/output" 2>&1; then
        passed=$((passed + 1))
        echo "ok    $name"
    else
        failed=$((failed + 1))
        echo "FAIL  $name"
        sed 's/^/      /' "$work/output"
    fi
}

# Compares the files under a tree (or in a listing) with the expected ones.
same_files() { # LISTING EXPECTED...
    local listing=$1
    shift
    diff -u <(printf '%s\n' "$@" | sort) <(sort "$listing")
}

install_into() { # BUILD PREFIX
    cmake --install "$1" --prefix "$2" > "$work/install.log" || {
        cat "$work/install.log"
        return 1
    }
    (cd "$2" && find . -type f -printf '%P\n') > "$2.files"
}

no_words() { # COMMAND...: succeeds, and says nothing at all
    local said
    said=$("$@" 2>&1) || {
        echo "$said"
        return 1
    }
    [[ -z "$said" ]] || {
        echo "$said"
        return 1
    }
}

appstream_accepts() { # FILE: valid, without errors, warnings or notes
    local said
    said=$(appstreamcli validate --no-net "$1" 2>&1) || {
        echo "$said"
        return 1
    }
    ! grep -E '^[EWI]:' <<< "$said"
}

metainfo_names_version() { # FILE VERSION: its newest release is the project's version
    local newest
    newest=$(grep -o -m1 '<release version="[^"]*"' "$1" | cut -d'"' -f2)
    [[ "$newest" == "$2" ]] || {
        echo "newest release in $1 is '$newest', the project's version is '$2'"
        return 1
    }
    grep -q 'docs/tlcalc.png</image>' "$1" && [[ -f docs/tlcalc.png ]]
}

man_formats() { # PAGE: man formats it without a warning
    local warnings
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 MANPAGER=cat PAGER=cat \
        man --warnings -l "$1" 2>&1 > /dev/null)
    [[ -z "$warnings" ]] || {
        echo "$warnings"
        return 1
    }
}

icons_have_their_sizes() { # PREFIX
    local png size
    for png in "$1"/share/icons/hicolor/*x*/apps/"$id".png; do
        size=$(basename "$(dirname "$(dirname "$png")")")
        file "$png" | grep -q "PNG image data, ${size%x*} x ${size#*x}," || {
            file "$png"
            return 1
        }
    done
}

cli_runs_elsewhere() { # PROGRAM
    local elsewhere text json
    elsewhere=$(mktemp -d -p "$work")
    text=$(cd "$elsewhere" && "$1" analyse "$deck") &&
        json=$(cd "$elsewhere" && "$1" analyse --json "$deck") || return 1
    grep -q '^Свёртка до 2 карт$' <<< "$text" && grep -q '"left":2' <<< "$json"
}

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
prefix=$work/prefix
check "cmake --install puts the expected files" install_into "$build" "$prefix"
check "installed files are the expected ones" same_files "$prefix.files" "${installed_files[@]}"
check "desktop-file-validate has nothing to say" \
    no_words desktop-file-validate "$prefix/share/applications/$id.desktop"
check "appstreamcli accepts the metainfo" \
    appstream_accepts "$prefix/share/metainfo/$id.metainfo.xml"
check "metainfo names version $version and the README screenshot" \
    metainfo_names_version "$prefix/share/metainfo/$id.metainfo.xml" "$version"
for page in "$prefix"/share/man/man1/*.1; do
    check "man formats $(basename "$page")" man_formats "$page"
done
check "icon PNGs have their sizes" icons_have_their_sizes "$prefix"
check "installed tlcalc-cli analyses from another folder" \
    cli_runs_elsewhere "$prefix/bin/tlcalc-cli"

if [[ -n "$headless" ]]; then
    check "headless build installs the CLI and its page" install_into "$headless" "$work/headless"
    check "headless files are the expected ones" \
        same_files "$work/headless.files" "${headless_files[@]}"
fi

package_built() {
    (cd "$build" && cpack -G DEB -B "$work/package") > "$work/cpack.log" 2>&1 || {
        cat "$work/cpack.log"
        return 1
    }
    deb=$(find "$work/package" -maxdepth 1 -name "tlcalc_${version}_*.deb" -print -quit)
    [[ -n "$deb" ]] || {
        ls "$work/package"
        return 1
    }
}

package_files() {
    dpkg-deb -c "$deb" | awk '$1 ~ /^-/ {sub(/^\.\//, "", $6); print $6}' > "$work/deb.files"
    local expected=() file
    for file in "${installed_files[@]}"; do
        [[ "$file" == share/man/* ]] && file+=.gz
        expected+=("usr/$file")
    done
    same_files "$work/deb.files" "${expected[@]}"
}

package_fields() {
    local field value
    for field in Package Version Section Depends Recommends; do
        value=$(dpkg-deb -f "$deb" "$field")
        echo "$field: $value"
    done
    [[ "$(dpkg-deb -f "$deb" Package)" == tlcalc ]] &&
        [[ "$(dpkg-deb -f "$deb" Version)" == "$version" ]] || return 1
    # Qt's libraries, and the package of the JPEG image plugin the drawings window
    # loads at run time.
    local plugin needed=(libqt6core6 libqt6gui6 libqt6widgets6) package names
    plugin=$(find /usr/lib -path '*/qt6/plugins/imageformats/libqjpeg.so' -print -quit)
    [[ -n "$plugin" ]] && needed+=("$(dpkg-query --search "$plugin" | cut -d: -f1)")
    names=$(dpkg-deb -f "$deb" Depends | tr ',|' '\n' | awk '{print $1}')
    for package in "${needed[@]}"; do
        grep -qx "$package" <<< "$names" || {
            echo "Depends lacks $package"
            return 1
        }
    done
}

deb=
check "cpack -G DEB makes tlcalc_${version}_*.deb" package_built
if [[ -n "$deb" ]]; then
    check "the package holds the installed files" package_files
    check "the package names its dependencies" package_fields
    echo "      Depends: $(dpkg-deb -f "$deb" Depends)"
fi

apt_round_trip() {
    if dpkg-query -W -f='${Status}' tlcalc 2>/dev/null | grep -q "ok installed"; then
        echo "tlcalc is installed already; not touching it"
        return 1
    fi
    cp "$deb" "$work/package/tlcalc.deb"
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$work/package/tlcalc.deb" || return 1
    dpkg -L tlcalc | sort > "$work/listed"
    local ok=true
    cli_runs_elsewhere /usr/bin/tlcalc-cli || ok=false
    DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq tlcalc || ok=false
    if dpkg-query -W -f='${Status}' tlcalc 2>/dev/null | grep -q "ok installed"; then
        echo "tlcalc is still installed"
        ok=false
    fi
    local path
    while read -r path; do
        [[ -f "$path" ]] && echo "left behind: $path" && ok=false
    done < "$work/listed"
    for path in /usr/share/tlcalc /usr/share/doc/tlcalc; do
        [[ -e "$path" ]] && echo "left behind: $path" && ok=false
    done
    $ok
}

if $with_apt && [[ -n "$deb" ]]; then
    check "apt installs the package, tlcalc-cli runs, apt removes it all" apt_round_trip
fi

echo "check-install: $passed passed, $failed failed"
((failed == 0))
