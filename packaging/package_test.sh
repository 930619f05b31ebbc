#!/usr/bin/env bash
# package_test.sh BUILD_DIR: installs the build into a temporary DESTDIR, checks
# the installed desktop files with their validators, and runs the installed
# command line on the installed sample with the installed rules.
# The rest comes from the environment CTest sets: CMAKE, PREFIX, BINDIR,
# DATADIR, MANDIR, APP_ID, VERSION, and ATNVALIDATE and PYTHON (may be empty).
set -euo pipefail
export LC_ALL=C.UTF-8
build=$1

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
need() {
    for tool; do
        command -v "$tool" >/dev/null || { echo "$tool is missing: run scripts/install-deps.sh as root" >&2; exit 1; }
    done
}
need desktop-file-validate appstreamcli man

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
DESTDIR="$work/root" "$CMAKE" --install "$build" >/dev/null
root="$work/root$PREFIX"
bin="$root/$BINDIR"
data="$root/$DATADIR"

for file in \
    "$bin/atnlingo" "$bin/atnlingo-gui" \
    "$data/atnlingo/help/help.html" "$data/atnlingo/help/help_de.html" "$data/atnlingo/help/strings-window-de.png" \
    "$data/atnlingo/rules/default-en-de.rul" "$data/atnlingo/samples/sample-en.atn" \
    "$data/applications/$APP_ID.desktop" "$data/metainfo/$APP_ID.metainfo.xml" \
    "$data/icons/hicolor/scalable/apps/$APP_ID.svg" "$data/mime/packages/$APP_ID.xml" \
    "$root/$MANDIR/man1/atnlingo.1" "$root/$MANDIR/man1/atnlingo-gui.1" \
    "$data/bash-completion/completions/atnlingo"; do
    [[ -f $file ]] || fail "not installed: ${file#"$root/"}"
done

# The validators: errors and warnings fail. The one hint expected is that
# Graphics and Utility are both main categories.
desktop=$data/applications/$APP_ID.desktop
report=$(desktop-file-validate "$desktop" 2>&1) && ! grep -v ': hint: ' <<<"$report" | grep -q . ||
    fail "desktop-file-validate: $report"
report=$(appstreamcli validate --no-net --pedantic "$data/metainfo/$APP_ID.metainfo.xml" 2>&1) ||
    fail "appstreamcli validate: $report"
grep -q "^Exec=atnlingo-gui %F$" "$desktop" || fail "the desktop entry does not pass files with %F"
grep -q '<release version="'"$VERSION"'"' "$data/metainfo/$APP_ID.metainfo.xml" ||
    fail "no release $VERSION in the metainfo"

# The MIME package, compiled as the system does, must give both globs and the magic.
if command -v update-mime-database >/dev/null; then
    mkdir -p "$work/mime/packages"
    cp "$data/mime/packages/$APP_ID.xml" "$work/mime/packages/"
    report=$(XDG_DATA_DIRS=$work update-mime-database "$work/mime" 2>&1) && [[ -z $report ]] || fail "update-mime-database: $report"
    grep -q ':application/x-atn:\*\.atn$' "$work/mime/globs2" || fail "no *.atn glob"
    grep -q ':text/x-atn-rules:\*\.rul$' "$work/mime/globs2" || fail "no *.rul glob"
    grep -aq ':application/x-atn\]$' "$work/mime/magic" &&
        grep -aqP '^>0=\x00\x04\x00\x00\x00\x10$' "$work/mime/magic" || fail "no magic 00 00 00 10 for application/x-atn"
    grep -q "application/x-atn" "$desktop" && grep -q "text/x-atn-rules" "$desktop" ||
        fail "the desktop entry lacks a MIME type of the package"
elif command -v xmllint >/dev/null; then
    xmllint --noout "$data/mime/packages/$APP_ID.xml" || fail "the MIME package is not well-formed XML"
fi

# The manual pages render without a warning.
for page in atnlingo atnlingo-gui; do
    report=$(MANWIDTH=80 man -l --warnings "$root/$MANDIR/man1/$page.1" 2>&1 >/dev/null) && [[ -z $report ]] ||
        fail "man $page: $report"
done

# Every option the command line names in its help has a manual entry and a completion.
atnlingo=$bin/atnlingo
help=$("$atnlingo" --help) || fail "atnlingo --help failed"
manual=$(MANWIDTH=200 man -l "$root/$MANDIR/man1/atnlingo.1" 2>/dev/null)
for option in $(grep -oE -- '(^|[ [])--?[a-z][a-z-]*' <<<"$help" | tr -d ' [' | sort -u); do
    grep -qE -- "(^|[^a-z-])$option([^a-z-]|\$)" <<<"$manual" || fail "the manual page does not name $option"
    grep -qF -- "$option" "$data/bash-completion/completions/atnlingo" || fail "no completion offers $option"
done

# The completion: options first, files by their ending where they belong.
mkdir "$work/files" "$work/files/folder"
touch "$work/files/in.atn" "$work/files/de.rul" "$work/files/notes.txt"
while IFS='|' read -r before current expected; do
    got=$(cd "$work/files" && bash -c '
        source "$1"; shift
        COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1))
        _atnlingo
        printf "%s\n" "${COMPREPLY[@]}" | sort | paste -sd " " -' _ \
        "$data/bash-completion/completions/atnlingo" $before "$current")
    [[ $got == "$expected" ]] || fail "completion of '$before $current': got '$got', expected '$expected'"
done <<'EOF'
atnlingo|--r|--rules
atnlingo||folder in.atn
atnlingo --rules||de.rul folder
atnlingo --rules de.rul|--|--dry-run --exact --json --lenient-le --output-dir
atnlingo --rules de.rul --output-dir||folder
atnlingo --rules de.rul --output-dir folder in.atn||folder in.atn
atnlingo --rules de.rul in.atn||folder in.atn
atnlingo --lenient-le in.atn out.atn|-|
atnlingo --list --json||folder in.atn
atnlingo --check in.atn in.atn||folder in.atn
EOF

# The installed programs run; the command line translates the installed sample.
version=$("$atnlingo" --version) || fail "atnlingo --version failed"
[[ $version == "atnlingo $VERSION" ]] || fail "atnlingo --version: '$version', expected 'atnlingo $VERSION'"
version=$(QT_QPA_PLATFORM=offscreen "$bin/atnlingo-gui" --version 2>&1) || fail "atnlingo-gui --version failed"
[[ $version == *"$VERSION"* ]] || fail "atnlingo-gui --version: '$version', expected $VERSION"

sample=$data/atnlingo/samples/sample-en.atn
output=$work/sample-de.atn
if ! "$atnlingo" --rules "$data/atnlingo/rules/default-en-de.rul" "$sample" "$output" >"$work/console" 2>&1; then
    fail "translating the sample failed: $(cat "$work/console")"
elif cmp -s "$sample" "$output"; then
    fail "the default rules changed nothing in the sample"
elif [[ -n ${ATNVALIDATE:-} && -f $ATNVALIDATE && -n ${PYTHON:-} ]]; then
    "$PYTHON" "$ATNVALIDATE" "$output" >"$work/validation" 2>&1 ||
        fail "the translated sample is not valid: $(cat "$work/validation")"
else
    echo "No validator: the translated sample's structure is left unchecked"
fi

if ((failures > 0)); then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "Installed, validated and ran the installed programs"
