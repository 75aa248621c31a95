#!/usr/bin/env bash
# The kit's main job: make a PC, build a distribution disk from the sample folder with `kit`, put
# it into drive A:, expand every file again and show that each came back identical; then install
# the sample kit into a fresh PC as the bootstrap stages it, answering the setup program's dialogs,
# saving a picture of every screen and printing what the installation changed.
# Argument: the build folder.
set -euo pipefail
build=$1
top=$(cd "$(dirname "$0")/.." && pwd)
pc=$build/tools/pc/pc
kit=$build/tools/kit/kit
out=$top/demo-out
machine=$top/demo-pc

rm -rf "$out"
mkdir -p "$out/disk" "$out/expanded"

echo "== a fresh PC in $machine"
"$pc" init "$machine" --force

echo "== building the distribution disk in $out/disk"
# Every file goes onto the disk compressed, its name's last letter replaced by '_' as the kit
# names them (_SETUP.INI -> _SETUP.IN_); the programs go along as samples of binary files.
sources=("$top"/samples/disk/* "$pc" "$kit")
for f in "${sources[@]}"; do
    name=$(basename "$f" | tr '[:lower:]' '[:upper:]')
    case "$name" in *.*) ;; *) name="$name.EXE" ;; esac
    packed="${name%?}_"
    "$kit" compress "$f" "$out/disk/$packed"
    printf '  %-12s %9d -> %-12s %9d bytes\n' "$name" "$(stat -c %s "$f")" "$packed" "$(stat -c %s "$out/disk/$packed")"
done

echo "== the disk goes into drive A:"
"$pc" disk "$machine" "$out/disk"

echo "== expanding every file from drive A: again"
status=0
for f in "${sources[@]}"; do
    name=$(basename "$f" | tr '[:lower:]' '[:upper:]')
    case "$name" in *.*) ;; *) name="$name.EXE" ;; esac
    packed="${name%?}_"
    "$kit" expand "$machine/a/$packed" "$out/expanded/$name"
    if cmp -s "$f" "$out/expanded/$name"; then
        echo "  $name identical"
    else
        echo "  $name DIFFERS"; status=1
    fi
done
if [ $status -ne 0 ]; then
    echo "== some files differ"
    exit $status
fi
echo "== every file came back identical"

echo
echo "== installing the sample kit into a fresh PC; pictures in $out/setup"
"$top/samples/kit/install.sh" "$build" "$machine" "$out/setup"
