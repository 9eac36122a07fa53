#!/usr/bin/env bash
# Our whole MIDI import (read, convert, format) against a peer editor's command-line import, side
# by side in one run, on the generated benchmark files; then our import time per note from 100 to
# 900 bars, to show that it stays flat.
#   bench/midiimport/run_import_bench.sh [runs]
# The peer (Debian's "mscore3") runs headless; its fixed start-up cost is measured on
# the 16-bar file and taken off, so that its figure is the import (and save) of the music itself.
# It also writes MusicXML, whose pitched notes are counted to show how many notes it keeps.
# Nothing the peer writes is kept.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
runs=${1:-5}
generator=$root/../shared/bench/gen_smf.py
[ -f "$generator" ] || { echo "the generator $generator is not there" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

python3 "$generator" -o "$work" >/dev/null
for bars in 100 300 600; do
  python3 - "$generator" "$work/bars$bars.mid" "$bars" <<'PY'
import importlib.util, sys
spec = importlib.util.spec_from_file_location("gen_smf", sys.argv[1])
gen = importlib.util.module_from_spec(spec)
spec.loader.exec_module(gen)
data, _, _ = gen.build(int(sys.argv[3]))
open(sys.argv[2], "wb").write(data)
PY
done
cp "$work/big900.mid" "$work/bars900.mid"

ours=$("$root/tools/bench" --plain midi_import_bench "$runs" "$work/small.mid" "$work/big900.mid" "$work/human.mid" \
       "$work/bars100.mid" "$work/bars300.mid" "$work/bars600.mid" "$work/bars900.mid")
echo "$ours"
our_ms() { awk -v f="$1" '$1 == f { print $3 }' <<<"$ours"; }

# The pitched notes of a MusicXML file, a tied continuation not counted as a note of its own.
count_xml_notes() {
  python3 - "$1" <<'PY'
import re, sys
xml = open(sys.argv[1], encoding="utf-8", errors="replace").read()
count = 0
for note in re.findall(r"<note[ >].*?</note>", xml, re.S):
    if "<pitch>" not in note and "<unpitched>" not in note:
        continue
    if '<tie type="stop"' in note and '<tie type="start"' not in note:
        continue
    count += 1
print(count)
PY
}

peer_seconds() {  # file, output
  local start end
  start=$(date +%s.%N)
  QT_QPA_PLATFORM=offscreen mscore3 -o "$2" "$1" >/dev/null 2>&1 || true
  end=$(date +%s.%N)
  python3 -c "print(f'{$end - $start:.3f}')"
}

if ! command -v mscore3 >/dev/null; then
  echo "mscore3 is not installed: no peer figures" >&2
  exit 0
fi
echo
echo "peer editor's command-line import (mscore3, offscreen), one run each"
fixed=$(peer_seconds "$work/small.mid" "$work/small.mscz")
echo "  start-up and a 16-bar file: ${fixed} s"
for name in big900 human; do
  total=$(peer_seconds "$work/$name.mid" "$work/$name.mscz")
  peer_xml_s=$(peer_seconds "$work/$name.mid" "$work/$name.musicxml")
  notes=$(count_xml_notes "$work/$name.musicxml")
  mine=$(our_ms "$name.mid")
  python3 - "$name" "$total" "$fixed" "$mine" "$notes" <<'PY'
import sys
name, total, fixed, mine, notes = sys.argv[1], float(sys.argv[2]), float(sys.argv[3]), float(sys.argv[4]), sys.argv[5]
music = total - fixed
print(f"  {name}.mid: peer {total:.2f} s whole command, {music:.2f} s without start-up; ours {mine:.1f} ms")
print(f"    ours is {total * 1000 / mine:.0f}x faster than the whole command, {music * 1000 / mine:.0f}x faster than its import alone")
print(f"    notes the peer keeps (its MusicXML): {notes}")
PY
done
