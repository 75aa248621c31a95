#!/usr/bin/env bash
# Stages the sample kit in a PC as the bootstrap leaves it for the setup program: the setup
# program as C:\_SETUP.EXE, its script as C:\_SETUP.INI, and the distribution files in drive A:
# (the files under compressed/ compressed, their names' last letter replaced by '_'; the files
# under plain/ as they are). A stale driver and note are left for the script's [DELETE] section.
# Then: pc run PC 'C:\_SETUP.EXE A:'
# Arguments: the build folder and the PC folder (made with pc init).
set -euo pipefail
build=$1
pc_dir=$2
here=$(cd "$(dirname "$0")" && pwd)
kit=$build/tools/kit/kit
pc=$build/tools/pc/pc

disk=$(mktemp -d)
trap 'rm -rf "$disk"' EXIT
for f in "$here"/compressed/*; do
    name=$(basename "$f")
    "$kit" compress "$f" "$disk/${name%?}_"
done
cp "$here"/plain/* "$disk/"
"$pc" disk "$pc_dir" "$disk"

cp "$build/setup/_SETUP" "$pc_dir/c/_SETUP.EXE"
cp "$here/_SETUP.INI" "$pc_dir/c/_SETUP.INI"
printf 'old driver\r\n' > "$pc_dir/c/WINDOWS/OLDPLAY.DRV"
mkdir -p "$pc_dir/c/TVPLAYER"
printf 'obsolete\r\n' > "$pc_dir/c/TVPLAYER/OBSOLETE.TXT"
