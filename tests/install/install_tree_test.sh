#!/usr/bin/env bash
# Installs the build into a scratch prefix, as `make install PREFIX=...` does, and checks what a
# desktop finds there: the program, its menu entry, its icon in every size, and a MIME package
# under which a file manager opens each file type Locuscope reads with Locuscope. Then a staged
# install (DESTDIR, as packaging does) must leave the desktop's caches alone.
#   install_tree_test.sh BUILD_FOLDER SCRATCH_FOLDER VERSION
set -uo pipefail

build=$1
scratch=$2
version=$3
# A blank in the prefix: the menu entry must quote the executable's path.
prefix="$scratch/install tree/usr"
stage="$scratch/stage"

failures=0
checks=0
fail() {
    echo "FAILED: $*"
    failures=$((failures + 1))
}
check() {  # check DESCRIPTION COMMAND...
    local description=$1
    shift
    checks=$((checks + 1))
    if "$@"; then echo "ok: $description"; else fail "$description"; fi
}

rm -rf "$scratch"
mkdir -p "$scratch"
if ! cmake --install "$build" --prefix "$prefix" >"$scratch/install.log" 2>&1; then
    cat "$scratch/install.log"
    echo "FAILED: cmake --install"
    exit 1
fi

# --- The files ---------------------------------------------------------------------------------
icon_sizes=(16 22 24 32 48 64 128 256 512)
expected_files() {
    echo bin/locuscope
    echo share/applications/locuscope.desktop
    echo share/mime/packages/locuscope.xml
    for size in "${icon_sizes[@]}"; do echo "share/icons/hicolor/${size}x${size}/apps/locuscope.png"; done
}
# The caches that update-mime-database and update-desktop-database write are not ours to list.
installed_files() {
    (cd "$prefix" && find . -type f ! -path './share/mime/*' ! -name mimeinfo.cache \
        -o -path './share/mime/packages/*' | sed 's|^\./||')
}
files_are_expected() {
    diff <(expected_files | sort) <(installed_files | sort)
}
check "exactly the program, its menu entry, its MIME package and its icons are installed" \
    files_are_expected

# PNG: the 8-byte signature, then the IHDR chunk with width and height as 32-bit big-endian.
png_is_square_of() {  # png_is_square_of FILE SIZE
    local signature width height
    signature=$(od -An -tx1 -N8 "$1" | tr -d ' \n')
    width=$(od -An -tu1 -j16 -N4 "$1" | awk '{ print $1 * 16777216 + $2 * 65536 + $3 * 256 + $4 }')
    height=$(od -An -tu1 -j20 -N4 "$1" | awk '{ print $1 * 16777216 + $2 * 65536 + $3 * 256 + $4 }')
    [[ $signature == 89504e470d0a1a0a && $width == "$2" && $height == "$2" ]] ||
        { echo "  $1: signature $signature, ${width}x$height"; return 1; }
}
for size in "${icon_sizes[@]}"; do
    check "the ${size}x$size icon is a ${size}x$size PNG" \
        png_is_square_of "$prefix/share/icons/hicolor/${size}x${size}/apps/locuscope.png" "$size"
done

# --- The program runs where it was installed, without a display --------------------------------
version_is() {  # version_is OPTION
    local output
    output=$(env -i "$prefix/bin/locuscope" "$1" 2>&1) &&
        [[ $output == "Locuscope $version" ]] || { echo "  printed: $output"; return 1; }
}
check "locuscope --version prints the project version without a display" version_is --version
check "locuscope -v does the same" version_is -v

# --- The menu entry ----------------------------------------------------------------------------
desktop="$prefix/share/applications/locuscope.desktop"
entry() { sed -n "s/^$1=//p" "$desktop"; }
if command -v desktop-file-validate >/dev/null; then
    check "the menu entry is valid" desktop-file-validate "$desktop"
else
    echo "note: desktop-file-validate not found; the menu entry's syntax is not checked"
fi
exec_runs_the_installed_program() {
    [[ $(entry Exec) == "\"$prefix/bin/locuscope\" %F" && $(entry TryExec) == "$prefix/bin/locuscope" ]] ||
        { echo "  Exec=$(entry Exec) TryExec=$(entry TryExec)"; return 1; }
}
check "the menu entry runs the installed program with the files given" \
    exec_runs_the_installed_program

# --- The MIME package --------------------------------------------------------------------------
package="$prefix/share/mime/packages/locuscope.xml"
if command -v xmllint >/dev/null; then
    check "the MIME package is well-formed XML" xmllint --noout "$package"
else
    echo "note: xmllint not found; the MIME package's XML is not checked"
fi
declared_types() { sed -n 's/.*<mime-type type="\([^"]*\)".*/\1/p' "$package"; }
entry_types() { entry MimeType | tr ';' '\n' | sed '/^$/d'; }
entry_lists_the_declared_types() { diff <(declared_types | sort) <(entry_types | sort); }
check "the menu entry opens every type the MIME package declares, and no other" \
    entry_lists_the_declared_types

if command -v update-desktop-database >/dev/null; then
    desktop_cache_lists_every_type() {
        local type missing=0
        for type in $(declared_types); do
            awk -F= -v type="$type" '$1 == type && (";" $2) ~ /;locuscope\.desktop;/ { found = 1 }
                END { exit !found }' "$prefix/share/applications/mimeinfo.cache" ||
                { echo "  $type is not opened with locuscope.desktop"; missing=1; }
        done
        return $missing
    }
    check "the install refreshed the menu's type cache, every type opening Locuscope" \
        desktop_cache_lists_every_type
fi

if command -v update-mime-database >/dev/null; then
    check "the install refreshed the prefix's MIME cache" [ -s "$prefix/share/mime/globs2" ]
    # The type a file manager gives a name: among the matching patterns the heaviest, then the
    # longest wins; patterns match in any letter case unless marked case-sensitive.
    type_of_name() {
        local name=$1 best_type="" best_weight=-1 best_length=-1 weight type pattern flags
        while IFS=: read -r weight type pattern flags; do
            [[ $weight == \#* ]] && continue
            if [[ $flags == *cs* ]]; then shopt -u nocasematch; else shopt -s nocasematch; fi
            # shellcheck disable=SC2053  # the pattern is a glob on purpose
            [[ $name == $pattern ]] || continue
            if ((weight > best_weight || (weight == best_weight && ${#pattern} > best_length)))
            then
                best_type=$type best_weight=$weight best_length=${#pattern}
            fi
        done < <(cat "$prefix/share/mime/globs2" /usr/share/mime/globs2 2>/dev/null)
        shopt -u nocasematch
        echo "$best_type"
    }
    opens_with_locuscope() {  # opens_with_locuscope NAME
        local type
        type=$(type_of_name "$1")
        entry_types | grep -qxF -- "$type" || { echo "  $1 is $type"; return 1; }
    }
    for name in genes.gff GENES.GFF3 genes.gtf peaks.bed peaks.Bed12 peaks.bed3 signal.bedGraph \
                signal.bdg peaks.narrowPeak peaks.broadPeak genes.gff3.gz genes.GTF.bgz \
                peaks.bed.gz peaks.bed6.bgz signal.bedgraph.gz peaks.narrowPeak.bgz \
                peaks.broadPeak.gz figure.lsw; do
        check "a file manager opens $name with Locuscope" opens_with_locuscope "$name"
    done
    leaves_alone() {
        local type
        type=$(type_of_name "$1")
        ! entry_types | grep -qxF -- "$type" || { echo "  $1 is $type"; return 1; }
    }
    for name in notes.txt archive.tar.gz bed.gz; do
        check "$name is not claimed" leaves_alone "$name"
    done
else
    echo "note: update-mime-database not found; file types are not resolved"
fi

# --- A staged install --------------------------------------------------------------------------
if DESTDIR="$stage" cmake --install "$build" --prefix /usr >"$scratch/stage.log" 2>&1; then
    check "a staged install names the final path in the menu entry" \
        grep -qxF 'Exec="/usr/bin/locuscope" %F' "$stage/usr/share/applications/locuscope.desktop"
    # The caches are the installed system's, refreshed by the package's installer.
    refreshes_nothing() {
        ! grep Refreshing "$scratch/stage.log" && [ ! -e "$stage/usr/share/mime/mime.cache" ]
    }
    check "a staged install refreshes no desktop cache" refreshes_nothing
else
    cat "$scratch/stage.log"
    fail "DESTDIR=... cmake --install"
fi

echo "$((checks - failures)) passed, $failures failed"
((failures == 0))
