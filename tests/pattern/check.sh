#!/usr/bin/env bash
# The screen pattern's rules that a reader would otherwise have to check by eye:
# pages take every colour from Theme and name no transition; controllers leave
# call texts and reply shapes to the query objects.
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

exit $status
