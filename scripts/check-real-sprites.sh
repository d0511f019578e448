#!/usr/bin/env bash
# check-real-sprites.sh HOST_BUILD WORK_DIR [PACKAGE]
# Real sprites in, exact pixels out: downloads one small Debian package of a
# 2D game's sprites (lbreakout2-data unless named: PNG files of every colour
# type, palettes, grey, alpha, transparency chunks, gamma chunks, same-named
# files in several folders), inserts every image into a new pair with the
# host pxatool, extracts every entry again and compares each pixel with an
# independent decode of the original file by Pillow (Debian's python3-pil).
# Prints the counts; exits non-zero when any pixel differs. A benchmark-style
# check that needs the package archive: never part of make test.
set -euo pipefail
build=$1
work=$2
package=${3:-lbreakout2-data}
pxatool="$build/tools/pxatool/pxatool"
# Debian's own Python, which the package python3-pil extends.
python=/usr/bin/python3

if ! "$python" -c 'import PIL' 2>/dev/null; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "check-real-sprites: python3-pil is missing; install it as root" >&2
    exit 1
  fi
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends python3-pil >/dev/null
fi

mkdir -p "$work"
work=$(cd "$work" && pwd)
if ! ls "$work"/"$package"_*.deb >/dev/null 2>&1; then
  (cd "$work" && apt-get download "$package")
fi
rm -rf "$work/files" "$work/out" "$work/pair.pxa" "$work/pair.tga"
mkdir -p "$work/files" "$work/out"
dpkg-deb -x "$work"/"$package"_*.deb "$work/files"

# The folder that holds every image of the package, as one tree.
root=$("$python" -c 'import os, sys
images = [dirpath for dirpath, _, names in os.walk(sys.argv[1])
          if any(n.lower().endswith((".png", ".jpg", ".jpeg", ".gif", ".bmp", ".tga")) for n in names)]
print(os.path.commonpath(images))' "$work/files")

"$pxatool" new "$work/pair.pxa" "$work/pair.tga"
set +e
"$pxatool" insert "$work/pair.pxa" "$work/pair.tga" "$root" --recursive --path-names >"$work/inserted.txt" \
  2>"$work/skipped.txt"
inserted_status=$?
set -e
if [ $inserted_status -ne 0 ] && [ ! -s "$work/skipped.txt" ]; then
  echo "check-real-sprites: insert failed" >&2
  exit 1
fi
"$pxatool" extract "$work/pair.pxa" "$work/pair.tga" "$work/out" >/dev/null
"$pxatool" info "$work/pair.pxa" "$work/pair.tga"

"$python" - "$root" "$work/out" "$work/skipped.txt" <<'EOF'
import os, sys
from PIL import Image

root, out, skipped_file = sys.argv[1:4]
skipped = {line.split(': ')[1] for line in open(skipped_file, encoding='utf-8', errors='replace') if ': ' in line}

def rgba(image):
    # Pillow keeps 16-bit grey as 32-bit integers; the atlas keeps the high byte.
    if image.mode in ('I;16', 'I;16B', 'I;16L', 'I'):
        image = image.point(lambda v: v / 256).convert('L')
    return image.convert('RGBA')

def entry_name(relative):
    name = relative.replace(os.sep, '.')
    return ''.join(c.upper() if 'a' <= c <= 'z' else c for c in name)

counts = dict(files=0, compared=0, identical=0, differing=0, skipped=0, missing=0)
for folder, _, names in os.walk(root):
    for name in sorted(names):
        source = os.path.join(folder, name)
        try:
            original = Image.open(source)
            original.load()
        except Exception:
            continue
        counts['files'] += 1
        if source in skipped:
            counts['skipped'] += 1
            continue
        extracted = os.path.join(out, entry_name(os.path.relpath(source, root)))
        if not os.path.exists(extracted):
            counts['missing'] += 1
            print('missing:', extracted)
            continue
        want = rgba(original)
        got = rgba(Image.open(extracted))
        counts['compared'] += 1
        if want.size == got.size and want.tobytes() == got.tobytes():
            counts['identical'] += 1
            continue
        counts['differing'] += 1
        largest = 0
        if want.size == got.size:
            for a, b in zip(want.getdata(), got.getdata()):
                largest = max(largest, max(abs(x - y) for x, y in zip(a, b)))
        print('differs:', source, original.mode, want.size, got.size, 'by up to', largest)

print(' '.join(f'{key} {value}' for key, value in counts.items()))
sys.exit(1 if counts['differing'] or counts['missing'] else 0)
EOF
