#!/usr/bin/env bash
# The screen pattern's rules that a reader would otherwise have to check by eye:
# every colour comes from Theme (QML reads Theme.qml, C++ the ThemeColors.h the build
# makes from it), pages name no transition, only the query objects build requests,
# and text from the service or the dealer is never read as markup.
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

# A Text or Label whose text is anything but a string literal may carry the service's
# or the dealer's words, whatever property chain brings them: it declares its
# textFormat (Text.PlainText), so that a "<" in a car name is shown, not read as markup.
unformatted=$(find "$root/src/screens" "$root/src/ui" -name '*.qml' | sort | xargs awk '
    function done_() { if (bound && !fmt) print FILENAME ":" start; open_ = 0 }
    FNR == 1 { if (open_) done_(); depth = 0 }
    {
        line = $0; sub(/\/\/.*/, "", line)
        if (!open_ && line ~ /(^|[^A-Za-z0-9_.])(Text|Label)[ \t]*\{/) {
            open_ = 1; at = depth; bound = 0; fmt = 0; start = FNR ": " $0; gsub(/: +/, ": ", start)
        }
        if (open_) {
            if (line ~ /(^|[;{ \t])text[ \t]*:/) {
                value = line; sub(/.*(^|[;{ \t])text[ \t]*:[ \t]*/, "", value)
                if (value !~ /^"[^"]*"[ \t]*([;}].*)?$/) bound = 1
            }
            if (line ~ /textFormat[ \t]*:/) fmt = 1
        }
        n = split(line, c, "")
        for (i = 1; i <= n; i++) {
            if (c[i] == "{") depth++
            else if (c[i] == "}") { depth--; if (open_ && depth == at) done_() }
        }
    }')
[ -z "$unformatted" ] || report "bound texts without textFormat:" "$unformatted"

exit $status
