#!/usr/bin/env bash
# Installs the sample kit into a fresh PC with real processes: stages it as the bootstrap does,
# starts the setup program, answers its dialogs through the PC's automation as a user would,
# saves a picture of every screen, and prints what the installation changed.
# Arguments: the build folder, the PC folder (made anew), the folder for the pictures.
set -euo pipefail
build=$1
pc_dir=$2
out=$3
here=$(cd "$(dirname "$0")" && pwd)
pc=$build/tools/pc/pc

# Waits until the window NAME (title, class or dialog template) exists; the programs run on the
# real clock, so this polls.
wait_for() {
    for _ in $(seq 300); do
        "$pc" text "$pc_dir" "$1" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    echo "no window $1 appeared" >&2
    exit 1
}
shot() {
    "$pc" shot "$pc_dir" "$out/$1"
    echo "  picture $out/$1"
}

"$pc" init "$pc_dir" --force >/dev/null
"$here/stage.sh" "$build" "$pc_dir"
mkdir -p "$out/before"
for f in WINDOWS/WIN.INI WINDOWS/SYSTEM.INI CONFIG.SYS AUTOEXEC.BAT; do cp "$pc_dir/c/$f" "$out/before/"; done

echo "== C:\\_SETUP.EXE A:"
"$pc" run "$pc_dir" 'C:\_SETUP.EXE A:' >/dev/null
wait_for EXECPATH
shot 1-destination.png
"$pc" click "$pc_dir" EXECPATH 1

# The copy (one file per 100-millisecond tick) and the program-group step run by themselves:
# pictures are taken while they run, and one of each is kept. The dialog on the screen is told
# by its height: the copy dialog is the tallest, the progress window the flattest.
dialog_height() {
    "$pc" windows "$pc_dir" | awk '$2 == "#32770" && $4 == "visible" { split($5, r, /[,-]/); print r[4] - r[2]; exit }'
}
n=0
while [ $n -lt 2000 ]; do
    h=$(dialog_height)
    if [ -n "$h" ] && [ "$h" -gt 170 ]; then
        "$pc" shot "$pc_dir" "$out/copy-$n.png"
    elif [ -n "$h" ] && [ "$h" -lt 100 ]; then
        "$pc" shot "$pc_dir" "$out/progress-$n.png"
    elif [ -n "$h" ] && ls "$out"/progress-*.png >/dev/null 2>&1; then
        break
    fi
    n=$((n + 1))
done
shopt -s nullglob
copies=("$out"/copy-*.png)
progress=("$out"/progress-*.png)
[ ${#copies[@]} -gt 0 ] && mv "${copies[$(( (${#copies[@]} - 1) / 2 ))]}" "$out/2-copy.png" && echo "  picture $out/2-copy.png"
[ ${#progress[@]} -gt 0 ] && mv "${progress[0]}" "$out/3-progress.png" && echo "  picture $out/3-progress.png"
rm -f "$out"/copy-*.png "$out"/progress-*.png

wait_for REBOOTDLG
shot 4-restart.png
"$pc" click "$pc_dir" REBOOTDLG 2
"$pc" wait "$pc_dir" --timeout 60

echo "== files installed"
(cd "$pc_dir/c" && ls -l TVPLAYER WINDOWS/PLAYER.DRV WINDOWS/SYSTEM/MPEG.VXD 2>&1 | sed 's/^/  /')
echo "== stale files deleted: $([ -e "$pc_dir/c/WINDOWS/OLDPLAY.DRV" ] || echo OLDPLAY.DRV) $([ -e "$pc_dir/c/TVPLAYER/OBSOLETE.TXT" ] || echo OBSOLETE.TXT)"
echo "== uninstall record C:\\TVPLAYER\\_UNSETUP.INI"
tr -d '\r' < "$pc_dir/c/TVPLAYER/_UNSETUP.INI" | sed 's/^/  /'
echo "== Program Manager groups"
"$pc" groups "$pc_dir" | sed 's/^/  /'
echo "== registry"
"$pc" reg "$pc_dir" 'HKEY_LOCAL_MACHINE\SOFTWARE\Tavel' | sed 's/^/  /'
"$pc" reg "$pc_dir" 'HKEY_CURRENT_USER\Software\Tavel' | sed 's/^/  /'
echo "== system files"
for f in WINDOWS/WIN.INI WINDOWS/SYSTEM.INI CONFIG.SYS AUTOEXEC.BAT; do
    diff -u --label "before/$f" --label "after/$f" <(tr -d '\r' < "$out/before/$(basename $f)") \
        <(tr -d '\r' < "$pc_dir/c/$f") | sed 's/^/  /' || true
done
echo "== staging removed: $([ -e "$pc_dir/c/_SETUP.INI" ] && echo no || echo yes)"
