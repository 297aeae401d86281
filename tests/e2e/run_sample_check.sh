#!/bin/sh
# The README's first command, as a new user answers it: tools/run-sample on the bundled sample,
# answered y, y, Return, and Return again, which takes the file offered (img/a.png). The repaired
# copy must appear beside the untouched sample, with both links renewed (the second by
# inference) and the left wrist twist corrected.
# Usage: run_sample_check.sh <source dir> <quorvane binary>
set -eu
source_dir=$1
binary=$2
log=$(mktemp)
out=$(printf 'y\ny\n\n\n' | LC_ALL=C "$source_dir/tools/run-sample" "$binary" 2>"$log")
work=$(sed -n 's/^Sample copied to //p' "$log")
trap 'rm -rf "$work" "$log"' EXIT
fail() { echo "run-sample: $1"; echo "$out"; cat "$log"; exit 1; }
[ -n "$work" ] && [ -d "$work" ] || fail "no work folder named"
cmp -s "$work/sample.pmx" "$source_dir/examples/sample/sample.pmx" || fail "the sample was changed"
[ -f "$work/sample-new.pmx" ] || fail "no sample-new.pmx"
case $out in *"1: tex\\b.png (inferred) => (renew) img\\b.png "*) ;; *) fail "tex\\b.png not inferred" ;; esac
case $out in *"Save OK. "*) ;; *) fail "no save" ;; esac
# The copy holds both new paths (UTF-16LE "img\a.png", "img\b.png") and the corrected axis
# (0.6, -0.8, 0) as little-endian floats: 9A 99 19 3F, CD CC 4C BF, 00 00 00 00.
od -An -tx1 -v "$work/sample-new.pmx" | tr -d '\n' | tr -s ' ' >"$log.hex"
for bytes in "69 00 6d 00 67 00 5c 00 61 00" "69 00 6d 00 67 00 5c 00 62 00" \
             "9a 99 19 3f cd cc 4c bf 00 00 00 00"; do
    grep -q "$bytes" "$log.hex" || { rm -f "$log.hex"; fail "the copy lacks $bytes"; }
done
rm -f "$log.hex"
echo "run-sample: the sample was repaired as the README describes"
