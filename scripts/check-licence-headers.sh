#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a tracked source file does not name its licence at the top: an
# `SPDX-License-Identifier:` line within its first three lines (room for a `#!`
# line or an XML declaration before it). Source files are C++, CMake, shell and
# every other script, manual pages, desktop entries, SVG and Qt resource lists.
# The AppStream metainfo is metadata, which AppStream wants under a permissive
# licence: it names CC0-1.0 instead.
#
#   bash scripts/check-licence-headers.sh          list the files that lack it
#   bash scripts/check-licence-headers.sh --add    and write the line into them
set -euo pipefail
cd "$(dirname "$0")/.."

add=false
[[ "${1:-}" == --add ]] && add=true

licence_of() { # FILE: the licence it must name, or nothing for a file that is no source
    case "$1" in
        *.metainfo.xml) echo CC0-1.0 ;;
        *.cpp | *.h | *.hpp | *.c | *.cc | CMakeLists.txt | */CMakeLists.txt | *.cmake | *.sh | \
            *.py | *.pl | *.supp | *.[1-9] | *.desktop | *.svg | *.qrc | *.xml)
            echo GPL-3.0-or-later
            ;;
        *) [[ "$(head -c 2 "$1")" == '#!' ]] && echo GPL-3.0-or-later || true ;;
    esac
}

comment_for() { # FILE LICENCE: the line in the file's own comment syntax
    local line="SPDX-License-Identifier: $2"
    case "$1" in
        *.cpp | *.h | *.hpp | *.c | *.cc) echo "// $line" ;;
        *.[1-9]) echo ".\\\" $line" ;;
        *.svg | *.qrc | *.xml) echo "<!-- $line -->" ;;
        *) echo "# $line" ;;
    esac
}

add_line() { # FILE LICENCE: after a `#!` line or an XML declaration, else first
    local file=$1 comment
    comment=$(comment_for "$1" "$2")
    comment=${comment//\\/\\\\} # sed reads a backslash in its text as an escape
    if head -1 "$file" | grep -q '^#!\|^<?xml'; then
        sed -i "1a\\$comment" "$file"
    else
        sed -i "1i\\$comment" "$file"
    fi
}

missing=0
while IFS= read -r -d '' file; do
    [[ -f "$file" ]] || continue
    licence=$(licence_of "$file")
    [[ -n "$licence" ]] || continue
    if ! head -3 "$file" | grep -q "SPDX-License-Identifier: $licence\( \|$\)"; then
        missing=$((missing + 1))
        if $add; then
            add_line "$file" "$licence"
            echo "added $licence: $file"
        else
            echo "no 'SPDX-License-Identifier: $licence' in the first lines of $file"
        fi
    fi
done < <(git ls-files -z)

if ((missing)) && ! $add; then
    echo "check-licence-headers: $missing files lack their licence line" \
        "(bash scripts/check-licence-headers.sh --add writes it)"
    exit 1
fi
