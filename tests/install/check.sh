#!/usr/bin/env bash
# Installs the build into a temporary prefix (cmake --install), starts the installed
# tvs-service and the installed tvsdealer offscreen against it, with the hosts in the
# user's config file, until the login screen is drawn. Every file the app touches is
# traced (strace); none may lie in the source or the build tree. Also: --help of both
# runs without a display, the desktop entry's program and icon are installed, and so are
# the app's own QML modules (loaded later, with the first web page).
set -u
usage="usage: check.sh SOURCE_DIR BUILD_DIR QML_MODULES_DIR"
source_dir=$(realpath "${1:?$usage}")
build_dir=$(realpath "${2:?$usage}")
modules=${3:?$usage}
fail() { echo "FAIL: $*"; exit 1; }
# await PID FILE PATTERN: waits up to a minute for PATTERN in FILE while PID runs.
await() {
  for _ in $(seq 1 600); do
    grep -q "$3" "$2" && return 0
    kill -0 "$1" 2>/dev/null || return 1
    sleep 0.1
  done
  return 1
}

tmp=$(mktemp -d) || fail "no temporary folder"
service_pid=
app_pid=
# Each program runs in a process group of its own (setsid), ended as a whole.
stop() { [ -n "$1" ] && kill -- "-$1" 2>/dev/null && wait "$1" 2>/dev/null; }
trap 'stop "$app_pid"; stop "$service_pid"; rm -rf "$tmp"' EXIT
case "$tmp/" in "$source_dir"/* | "$build_dir"/*) fail "the temporary folder $tmp lies in the source or build tree" ;; esac
prefix=$tmp/prefix

cmake --install "$build_dir" --prefix "$prefix" >"$tmp/install.log" || { cat "$tmp/install.log"; fail "cmake --install"; }

home=$tmp/home
mkdir -p "$home" "$tmp/runtime" && chmod 700 "$tmp/runtime"
# A bare environment: no variable may lead a program back to the trees.
bare=(env -i PATH="$prefix/bin:/usr/bin:/bin" HOME="$home" XDG_RUNTIME_DIR="$tmp/runtime" LANG=C.UTF-8)
cd "$tmp" || fail "cd $tmp"

for program in tvsdealer tvs-service; do
  "${bare[@]}" "$program" --help >"$tmp/help.txt" 2>&1 || { cat "$tmp/help.txt"; fail "$program --help"; }
done

entry=$(ls "$prefix"/share/applications/*.desktop) || fail "no desktop entry installed"
exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")
icon=$(sed -n 's/^Icon=//p' "$entry")
[ -x "$prefix/bin/$exec_name" ] || fail "the desktop entry starts \"$exec_name\", which is not installed"
for file in scalable/apps/$icon.svg 48x48/apps/$icon.png; do
  [ -s "$prefix/share/icons/hicolor/$file" ] || fail "the desktop entry's icon $file is not installed"
done

# The app finds its modules relative to its own folder, in the build tree as installed.
for file in $(cd "$build_dir/$modules" && find * -name qmldir -o -name '*.so'); do
  [ -e "$prefix/$modules/$file" ] || fail "$modules/$file is not installed"
done

setsid "${bare[@]}" tvs-service --port 0 --image-port 0 --data "$tmp/data" >"$tmp/ready.txt" 2>"$tmp/service.log" &
service_pid=$!
await "$service_pid" "$tmp/ready.txt" '^tvs-service ready' || { cat "$tmp/service.log"; fail "the installed tvs-service did not start"; }
line=$(grep '^tvs-service ready' "$tmp/ready.txt")
api=$(sed -E 's/.*api=([^ ]+).*/\1/' <<<"$line")
images=$(sed -E 's/.*images=([^ ]+).*/\1/' <<<"$line")
ca=$(sed -E 's/.*ca=([^ ]+).*/\1/' <<<"$line")
mkdir -p "$home/.config/tvsdealer"
printf '[hosts]\napi=%s\nimage=%s\nzest=%s\nmweb=%s\n[tls]\ncaFile=%s\n' "$api" "$images" "$api" "$api" "$ca" \
  >"$home/.config/tvsdealer/tvsdealer.conf"

setsid "${bare[@]}" QT_QPA_PLATFORM=offscreen QT_LOGGING_RULES="tvs.ui.debug=true" \
  strace -f -qq -e trace=%file -o "$tmp/files.txt" "$prefix/bin/tvsdealer" >"$tmp/app.log" 2>&1 &
app_pid=$!
await "$app_pid" "$tmp/app.log" 'first frame shown with "LoginController" on top' ||
  { cat "$tmp/app.log"; fail "the installed tvsdealer showed no login screen"; }
stop "$app_pid"
app_pid=
! grep -E 'qrc:|\.qml|QML' "$tmp/app.log" || fail "QML warnings"
grep -q "\"$ca\"" "$tmp/files.txt" || fail "the CA file of the user's config file was not read"

touched=$(grep -oE '"/[^"]*"' "$tmp/files.txt" | tr -d '"' | sed 's|$|/|' | sort -u |
          grep -F -e "$source_dir/" -e "$build_dir/")
[ -z "$touched" ] || fail "the installed app looked into the source or build tree:
$touched"
echo "PASS: the installed tvsdealer showed the login screen, reading nothing from $source_dir or $build_dir"
