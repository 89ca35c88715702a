#!/usr/bin/env bash
# The screen pattern's rules that a reader would otherwise have to check by eye:
# every colour comes from Theme (QML reads Theme.qml, C++ the ThemeColors.h the build
# makes from it), pages name no transition, and only the query objects build requests.
set -u
root=${1:?usage: check.sh SOURCE_DIR}
status=0
report() { echo "$1"; echo "$2" | sed 's/^/  /'; status=1; }

colours=$(grep -rnE '"#[0-9a-fA-F]{3,8}"|Qt\.(rgba|rgb|hsla|hsva|hsl|hsv)\(|:\s*"(white|black|grey|gray|red|green|blue|yellow|orange|transparent)"' \
          --include='*.qml' "$root/src" | grep -v '/src/ui/Theme.qml:')
[ -z "$colours" ] || report "colour literals outside Theme:" "$colours"

# A QColor made from numbers or a name, one of Qt's global colours, a "#..." text.
cxx_colours=$(grep -rnE 'QColor(::from[A-Za-z]+)?\s*[({]\s*("|[-+0-9.]|Qt::)|QColor\s+[A-Za-z_][A-Za-z0-9_]*\s*[({=]\s*("|[-+0-9.]|Qt::)|\bQt::(white|black|red|darkRed|green|darkGreen|blue|darkBlue|cyan|darkCyan|magenta|darkMagenta|yellow|darkYellow|gray|darkGray|lightGray|transparent|color0|color1)\b|"#[0-9a-fA-F]{3,8}"|\bqRgba?\(\s*[0-9]' \
              --include='*.cpp' --include='*.h' "$root/src")
[ -z "$cxx_colours" ] || report "colour literals in C++ (add the colour to Theme.qml, use tvs::theme::):" "$cxx_colours"

segues=$(grep -rnE 'performSegue|_to_[A-Za-z0-9]+"' --include='*.qml' "$root/src")
[ -z "$segues" ] || report "pages naming a transition:" "$segues"

built=$(grep -rnE '\bcallText\(|ReplyShape|kProcedure(List|Execute)|->call\(' --include='*.cpp' --include='*.h' \
        "$root/src/screens" | grep -vE '/[A-Za-z0-9_]+Queries\.(cpp|h):')
[ -z "$built" ] || report "screen code building requests (only the query objects do):" "$built"

handed=$(grep -rnE 'setProperty\(' --include='*.cpp' --include='*.h' "$root/src/screens")
[ -z "$handed" ] || report "values handed by property name:" "$handed"

exit $status
