#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks what `cmake --install` and scripts/package.sh make of a finished build:
# the installed files, the desktop entry and metainfo through their validators,
# the manual pages through man, the installed tlcalc-cli started from another
# folder; the two Debian packages' files, dependencies (tlcalc-cli on Qt Core
# alone) and changelogs, lintian's word on them, the programs' hardening, and a
# second packaging that must give the same bytes. Builds only what packaging
# brings up to date: the two programs after their pictures are touched.
#
#   bash scripts/check-install.sh [--apt] [BUILD [HEADLESS_BUILD]]
#
# BUILD defaults to build/. A HEADLESS_BUILD (-DTLCALC_HEADLESS_ONLY=ON) is checked
# to install the command-line program and its manual page only. With --apt (as
# root, on Debian) the packages are also installed with apt, tlcalc-cli alone
# first, run, and removed again.
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

news_names_release() { # METAINFO VERSION: NEWS.md's newest release is the metainfo's
    local heading release
    heading=$(grep -m1 '^## ' NEWS.md)
    release=$(grep -o -m1 '<release version="[^"]*" date="[^"]*"' "$1" |
        sed 's/<release version="\([^"]*\)" date="\([^"]*\)"/## \1 (\2)/')
    [[ "$heading" == "## $2 ("* && "$heading" == "$release" ]] || {
        echo "NEWS.md's newest release is '$heading', the metainfo's '$release'," \
            "the project's version $2"
        return 1
    }
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
check "NEWS.md's newest release is $version, as in the metainfo" \
    news_names_release "$prefix/share/metainfo/$id.metainfo.xml" "$version"
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

# The packages, made as scripts/package.sh makes them: tlcalc-cli with the
# command line and its page, tlcalc with the rest; each with Debian's copyright
# file and the changelogs made from NEWS.md.
revision=$(sed -n 's/^TLCALC_DEBIAN_REVISION:STRING=//p' "$build/CMakeCache.txt")
declare -A deb
package_built() { # OUTPUT
    bash scripts/package.sh "$build" "$1" > /dev/null || return 1
    local package
    for package in tlcalc-cli tlcalc; do
        deb[$package]=$(find "$1" -maxdepth 1 -name "${package}_${version}-${revision}_*.deb" \
            -print -quit)
        [[ -n "${deb[$package]}" ]] || {
            echo "no ${package}_${version}-${revision}_*.deb among:"
            ls "$1"
            return 1
        }
    done
}

package_files() { # PACKAGE
    local package=$1 expected=() file
    dpkg-deb -c "${deb[$package]}" | awk '$1 ~ /^-/ {sub(/^\.\//, "", $6); print $6}' \
        > "$work/$package.files"
    for file in "${installed_files[@]}"; do
        if [[ "$file" == bin/tlcalc-cli || "$file" == share/man/man1/tlcalc-cli.1 ]]; then
            [[ "$package" == tlcalc-cli ]] || continue
        else
            [[ "$package" == tlcalc ]] || continue
        fi
        [[ "$file" == share/man/* ]] && file+=.gz
        expected+=("usr/$file")
    done
    for file in copyright changelog.Debian.gz changelog.gz; do
        expected+=("usr/share/doc/$package/$file")
    done
    expected+=("usr/share/lintian/overrides/$package")
    same_files "$work/$package.files" "${expected[@]}"
}

depends_of() { # PACKAGE: the package names its Depends field lists
    dpkg-deb -f "${deb[$1]}" Depends | tr ',|' '\n' | awk 'NF {print $1}'
}

fields_say() { # PACKAGE
    local field
    for field in Package Version Source Section Depends Recommends Suggests; do
        echo "$field: $(dpkg-deb -f "${deb[$1]}" "$field")"
    done
    [[ "$(dpkg-deb -f "${deb[$1]}" Package)" == "$1" ]] &&
        [[ "$(dpkg-deb -f "${deb[$1]}" Version)" == "$version-$revision" ]] &&
        [[ "$(dpkg-deb -f "${deb[$1]}" Source)" == tlcalc ]]
}

gui_package_fields() {
    fields_say tlcalc || return 1
    # Qt's libraries, and the package of the JPEG image plugin the drawings window
    # loads at run time.
    local plugin needed=(libqt6core6 libqt6gui6 libqt6widgets6) package
    plugin=$(find /usr/lib -path '*/qt6/plugins/imageformats/libqjpeg.so' -print -quit)
    [[ -n "$plugin" ]] && needed+=("$(dpkg-query --search "$plugin" | cut -d: -f1)")
    for package in "${needed[@]}"; do
        depends_of tlcalc | grep -qx "$package" || {
            echo "Depends lacks $package"
            return 1
        }
    done
}

# A server or a script installs tlcalc-cli without a display stack: of Qt, it
# needs the core library alone.
cli_package_fields() {
    fields_say tlcalc-cli || return 1
    depends_of tlcalc-cli | grep -qx libqt6core6 || {
        echo "Depends lacks libqt6core6"
        return 1
    }
    ! depends_of tlcalc-cli | grep -E '^libqt6(gui|widgets|opengl|dbus|xcb)|^libx|^libgl|^libegl|^libfont'
}

changelog_names_version() { # PACKAGE: the newest entry is this version, from NEWS.md
    local unpacked=$work/unpacked-$1 newest
    dpkg-deb -x "${deb[$1]}" "$unpacked"
    newest=$(zcat "$unpacked/usr/share/doc/$1/changelog.Debian.gz" | dpkg-parsechangelog -l- -SVersion)
    [[ "$newest" == "$version-$revision" ]] || {
        echo "the changelog's newest entry is $newest, the package is $version-$revision"
        return 1
    }
    zcat "$unpacked/usr/share/doc/$1/changelog.gz" | grep -qx "## $version (.*)"
}

# One lintian run over both packages down to its pedantic notes: an error or a
# warning fails, the notes below them are shown.
lintian_quiet() {
    lintian -L '>=pedantic' "${deb[tlcalc-cli]}" "${deb[tlcalc]}" > "$work/lintian" 2>&1 || true
    grep -v -e '^[EW]: ' -e 'running with root privileges' "$work/lintian" | sed 's/^/      /' > "$work/lintian.notes"
    ! grep '^[EW]: ' "$work/lintian"
}

# Hardened as dpkg-buildflags asks (relro, bind now, PIE, stack protector,
# fortified calls), stripped, and without the compiler's .comment section.
programs_hardened() {
    local package program headers ok=true
    for package in tlcalc-cli tlcalc; do
        program=$work/unpacked-$package/usr/bin/$package
        [[ -f "$program" ]] || dpkg-deb -x "${deb[$package]}" "$work/unpacked-$package"
        headers=$(LC_ALL=C readelf -W --file-header --program-headers --dynamic \
            --section-headers --dyn-syms "$program")
        grep -q 'Type: *DYN' <<< "$headers" && grep -q 'FLAGS_1.*PIE' <<< "$headers" ||
            { echo "$package: not a PIE program"; ok=false; }
        grep -q 'GNU_RELRO' <<< "$headers" || { echo "$package: no relro"; ok=false; }
        grep -qE 'BIND_NOW|FLAGS_1.*NOW' <<< "$headers" || { echo "$package: no bind now"; ok=false; }
        grep -q '__stack_chk_fail' <<< "$headers" || { echo "$package: no stack protector"; ok=false; }
        grep -qE '__[a-z]+_chk\b' <<< "$(grep -v __stack_chk_fail <<< "$headers")" ||
            { echo "$package: no fortified calls"; ok=false; }
        grep -qE ' \.comment | \.symtab ' <<< "$headers" &&
            { echo "$package: has a .comment or .symtab section"; ok=false; }
    done
    $ok
}

# scripts/package.sh again, after the pictures, the icon and NEWS.md have been
# touched (a fresh checkout's times) and what is made from them made again: the
# resources compiled into the programs, the programs linked again, the changelogs.
# The compiler is trusted to give the same objects from the same sources and flags.
packages_repeat() {
    sleep 1
    touch resources/about.jpg resources/Kompass.jpg resources/"$id".svg NEWS.md
    bash scripts/package.sh "$build" "$work/again" > /dev/null || return 1
    local package again
    for package in tlcalc-cli tlcalc; do
        again=$work/again/$(basename "${deb[$package]}")
        cmp "${deb[$package]}" "$again" || {
            diff <(dpkg-deb -c "${deb[$package]}") <(dpkg-deb -c "$again")
            dpkg-deb -R "${deb[$package]}" "$work/first-$package"
            dpkg-deb -R "$again" "$work/again-$package"
            diff -rq "$work/first-$package" "$work/again-$package"
            return 1
        }
    done
}

check "scripts/package.sh makes tlcalc-cli and tlcalc ${version}-${revision}" \
    package_built "$work/package"
if [[ -n "${deb[tlcalc]:-}" ]]; then
    check "tlcalc-cli holds the command line, its page and its documents" package_files tlcalc-cli
    check "tlcalc holds the window and the rest, and its documents" package_files tlcalc
    check "tlcalc-cli depends on Qt's core library and no display library" cli_package_fields
    check "tlcalc names the Qt libraries and the JPEG plugin it needs" gui_package_fields
    echo "      tlcalc-cli Depends: $(dpkg-deb -f "${deb[tlcalc-cli]}" Depends)"
    echo "      tlcalc Depends: $(dpkg-deb -f "${deb[tlcalc]}" Depends)"
    for package in tlcalc-cli tlcalc; do
        check "$package's changelog is NEWS.md's, newest entry $version-$revision" \
            changelog_names_version "$package"
    done
    check "lintian has no error or warning for either package" lintian_quiet
    if [[ -s "$work/lintian.notes" ]]; then
        echo "      lintian's notes below warnings:"
        cat "$work/lintian.notes"
    fi
    check "the packaged programs are hardened and carry no .comment" programs_hardened
    check "scripts/package.sh again, after touching the pictures, gives the same bytes" \
        packages_repeat
fi

installed() { # PACKAGE
    dpkg-query -W -f='${Status}' "$1" 2> /dev/null | grep -q "ok installed"
}

apt_install() { # PACKAGE...
    local package files=()
    for package; do
        cp "${deb[$package]}" "$work/package/$package.deb"
        files+=("$work/package/$package.deb")
    done
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${files[@]}"
}

# The command line alone first, as a server would install it, then the window;
# both removed again without a file left behind.
apt_round_trip() {
    local package path ok=true
    for package in tlcalc-cli tlcalc; do
        if installed "$package"; then
            echo "$package is installed already; not touching it"
            return 1
        fi
    done
    apt_install tlcalc-cli || return 1
    installed tlcalc && echo "installing tlcalc-cli installed tlcalc" && ok=false
    cli_runs_elsewhere /usr/bin/tlcalc-cli || ok=false
    apt_install tlcalc || ok=false
    for package in tlcalc-cli tlcalc; do
        dpkg -L "$package" | sort > "$work/listed-$package"
    done
    DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq tlcalc tlcalc-cli || ok=false
    for package in tlcalc-cli tlcalc; do
        installed "$package" && echo "$package is still installed" && ok=false
        while read -r path; do
            [[ -f "$path" ]] && echo "left behind: $path" && ok=false
        done < "$work/listed-$package"
    done
    for path in /usr/share/tlcalc /usr/share/doc/tlcalc /usr/share/doc/tlcalc-cli; do
        [[ -e "$path" ]] && echo "left behind: $path" && ok=false
    done
    $ok
}

if $with_apt && [[ -n "${deb[tlcalc]:-}" ]]; then
    check "apt installs tlcalc-cli alone, it runs, then tlcalc; apt removes them all" \
        apt_round_trip
fi

echo "check-install: $passed passed, $failed failed"
((failed == 0))
