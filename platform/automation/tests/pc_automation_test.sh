#!/bin/bash
# A program of a PC driven by the pc commands from another process: its dialog and message box
# are found, read, typed into, pressed and pictured.
set -euo pipefail
PC="$1"
DEMO="$2"
DIR=$(mktemp -d)
PROGRAM=""
cleanup() {
    [ -n "$PROGRAM" ] && kill "$PROGRAM" 2>/dev/null || true
    rm -rf "$DIR"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

"$PC" init "$DIR/pc" >/dev/null
cp "$DEMO" "$DIR/pc/c/DEMO.EXE"
# The program keeps the output of `pc run` open: its process id goes through a file.
"$PC" run "$DIR/pc" 'C:\DEMO.EXE' >"$DIR/pid"
PROGRAM=$(cat "$DIR/pid")

[ "$("$PC" text "$DIR/pc" "Setup Error" 65535)" = $'Cannot copy the file.\r\nThe disk is full.' ] || fail "message box text"
[ "$("$PC" text "$DIR/pc" EXECPATH 111)" = 'C:\KIT' ] || fail "path before typing"
"$PC" shot "$DIR/pc" "${KIT_SHOT_PNG:-$DIR/screen.png}"
[ -s "${KIT_SHOT_PNG:-$DIR/screen.png}" ] || fail "no picture"

"$PC" click "$DIR/pc" "Setup Error" 1
"$PC" type "$DIR/pc" EXECPATH 111 'D:\설치'
for i in $(seq 50); do
    got=$("$PC" text "$DIR/pc" execpath 111)
    [ "$got" = 'D:\설치' ] && break
    "$PC" wait "$DIR/pc" --timeout 0.1 >/dev/null 2>&1 || true
done
[ "$got" = 'D:\설치' ] || fail "typed path reads back as '$got'"
listing=$("$PC" text "$DIR/pc" EXECPATH)
[[ "$listing" == *'"Group Name :"'* ]] || fail "listing of the controls: $listing"

if "$PC" click "$DIR/pc" NOSUCH 1 --timeout 0.2 2>"$DIR/err"; then fail "a missing window was clicked"; fi
grep -q 'no window "NOSUCH"' "$DIR/err" || fail "missing window not named: $(cat "$DIR/err")"

"$PC" key "$DIR/pc" Escape
"$PC" wait "$DIR/pc" --timeout 10 || fail "the program did not end after Escape"
PROGRAM=""
echo ok
