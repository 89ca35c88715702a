#!/usr/bin/env bash
# qmllint over every page and piece of src/ (every .qml), with the settings of
# .qmllint.ini at the root. Pages import their folders as qrc:/tvs/<folder> (src/ui is
# qrc:/tvs/ui, src/screens/<area> is qrc:/tvs/<area>); qmllint resolves those imports
# through resource files written here by that rule. QML_MODULES is the build's folder
# of the app's own QML modules (TvsDealer.Web).
set -u
root=$(cd "${1:?usage: qmllint.sh SOURCE_DIR QML_MODULES}" && pwd)
modules=${2:?usage: qmllint.sh SOURCE_DIR QML_MODULES}
qmllint=${QMLLINT:-/usr/lib/qt6/bin/qmllint}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

resources=()
for dir in "$root/src/ui" "$root"/src/screens/*/; do
  dir=${dir%/}
  files=$(find "$dir" -maxdepth 1 \( -name '*.qml' -o -name '*.js' -o -name qmldir \) | sort)
  [ -n "$files" ] || continue
  qrc="$work/$(basename "$dir").qrc"
  {
    echo "<RCC><qresource prefix=\"/tvs/$(basename "$dir")\">"
    for f in $files; do echo "<file alias=\"$(basename "$f")\">$f</file>"; done
    echo "</qresource></RCC>"
  } > "$qrc"
  resources+=(--resource "$qrc")
done

mapfile -t pages < <(find "$root/src" -name '*.qml' | sort)
# qmllint prints warnings and fails on them; info lines (unused imports) do not fail it.
"$qmllint" -I "$modules" "${resources[@]}" "${pages[@]}"
