#!/usr/bin/env bash
# The screen pattern's rules that a reader would otherwise have to check by eye:
# pages take every colour from Theme and name no transition; controllers leave
# call texts and reply shapes to the query objects; text from the service or the
# dealer is never read as markup.
set -u
root=${1:?usage: check.sh SOURCE_DIR}
status=0
report() { echo "$1"; echo "$2" | sed 's/^/  /'; status=1; }

colours=$(grep -rnE '"#[0-9a-fA-F]{3,8}"|Qt\.(rgba|rgb|hsla|hsva)\(|:\s*"(white|black|grey|gray|red|green|blue|yellow|orange|transparent)"' \
          --include='*.qml' "$root/src/screens" "$root/src/ui" | grep -v '/src/ui/Theme.qml:')
[ -z "$colours" ] || report "colour literals outside Theme:" "$colours"

segues=$(grep -rnE 'performSegue|_to_[A-Za-z0-9]+"' --include='*.qml' "$root/src")
[ -z "$segues" ] || report "pages naming a transition:" "$segues"

built=$(grep -rnE '\bcallText\(|ReplyShape|kProcedure(List|Execute)|->call\(' --include='*Controller.cpp' \
        --include='*Controller.h' --include='WorkOrder_p*.cpp' --include='WorkWrite_p*.cpp' "$root/src/screens")
[ -z "$built" ] || report "controllers building requests:" "$built"

handed=$(grep -rnE 'setProperty\(' --include='*.cpp' "$root/src/screens")
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
