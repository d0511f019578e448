#!/usr/bin/env bash
# make-seeds.sh FOLDER
# Writes the seed inputs of the file readers' harnesses: FOLDER/index (index
# files for the 64 x 64 atlas the harnesses open them against), FOLDER/dat
# (DAT string tables) and FOLDER/exchange (CSV, JSON and PO files). Small valid files and a few near misses, made from
# scratch every time, so no binary file needs to be kept.
set -euo pipefail
export LC_ALL=C
out=$1
rm -rf "$out/index" "$out/dat" "$out/exchange"
mkdir -p "$out/index" "$out/dat" "$out/exchange"

# The helpers use bash's builtins only: a fork per byte made this script
# take minutes on a loaded machine.
# Bytes of an unsigned 32-bit little-endian number, of one byte, of zeros.
le32() {
  local bytes
  printf -v bytes '\\x%02x\\x%02x\\x%02x\\x%02x' $(($1 & 255)) $(($1 >> 8 & 255)) $(($1 >> 16 & 255)) $(($1 >> 24 & 255))
  printf "$bytes"
}
byte() { local b; printf -v b '\\x%02x' $(($1 & 255)); printf "$b"; }
zeros() { local i; for ((i = 0; i < $1; i++)); do printf '\0'; done; }

# record NAME X Y WIDTH HEIGHT FLAG: one 81-byte index record (name cut at 64).
record() {
  local name=${1:0:64}
  printf %s "$name"; zeros $((64 - ${#name}))
  le32 "$2"; le32 "$3"; le32 "$4"; le32 "$5"; byte "$6"
}

index() { cat >"$out/index/$1.pxa"; }
index empty < <(le32 0)
index one < <(le32 1; record GRASS.TGA 1 1 8 8 1)
index three-unsorted < <(le32 3; record TREE.TGA 11 1 4 6 1; record A10.TGA 1 1 8 8 0; record A9.TGA 1 11 30 2 7)
index lower-case-and-repeat < <(le32 2; record tree.tga 1 1 4 4 1; record TREE.TGA 7 1 4 4 1)
index long-name < <(le32 1; record "$(printf 'N%.0s' {1..64})" 1 1 2 2 1)
index high-bytes-and-empty-name < <(le32 2; record "$(printf '\xe4\xf6\xfc.tga')" 1 1 3 3 1; record "" 5 5 0 0 255)
index last-column-and-row < <(le32 2; record EDGE.TGA 1 1 62 0 1; record CORNER.TGA 62 62 0 0 1)
index full-atlas < <(le32 1; record ALL.TGA 1 1 62 62 1)
index grid < <(le32 16; for i in 0 1 2 3; do for j in 0 1 2 3; do record "C$i$j.TGA" $((1 + 15 * i)) $((1 + 15 * j)) 12 12 1; done; done)
index cell-past-the-edge < <(le32 1; record WIDE.TGA 1 1 63 1 1)
index zero-column < <(le32 1; record LEFT.TGA 0 1 1 1 1)
index wrapping-size < <(le32 1; record WRAP.TGA 2 2 4294967295 1 1)
index truncated-record < <(le32 2; record ONE.TGA 1 1 1 1 1; record TWO.TGA 4 4 1 1 1 | head -c 40)
index short-count < <(printf '\x01\x00')
index count-beyond-file < <(le32 4294967295; record ONE.TGA 1 1 1 1 1)
index trailing-bytes < <(le32 1; record ONE.TGA 1 1 1 1 1; printf 'tail')

# A name's key: the CRC-32 of the name with a-z upper-cased, 4 bytes.
key() {
  local name=${1^^} crc=$((0xFFFFFFFF)) i j c
  for ((i = 0; i < ${#name}; i++)); do
    printf -v c %d "'${name:i:1}"
    crc=$((crc ^ (c & 255)))
    for ((j = 0; j < 8; j++)); do
      crc=$(( crc & 1 ? crc >> 1 ^ 0xEDB88320 : crc >> 1 ))
    done
  done
  le32 $((crc ^ 0xFFFFFFFF))
}
# A text of 8-bit characters as UTF-16LE, each byte one code unit.
utf16() {
  local i c
  for ((i = 0; i < ${#1}; i++)); do printf -v c %d "'${1:i:1}"; byte "$c"; printf '\0'; done
}
# table NAME TEXT [NAME TEXT...]: a table with correct keys, in this order.
table() {
  local -a names=() texts=()
  while [ $# -gt 0 ]; do names+=("$1"); texts+=("$2"); shift 2; done
  le32 ${#names[@]}
  for i in "${!names[@]}"; do key "${names[i]}"; le32 ${#texts[i]}; le32 ${#names[i]}; done
  for text in "${texts[@]}"; do utf16 "$text"; done
  for name in "${names[@]}"; do printf %s "$name"; done
}
dat() { cat >"$out/dat/$1.dat"; }
dat empty < <(le32 0)
dat one < <(table A B)
dat two-sorted-euro < <(le32 2; key NAME; le32 2; le32 4; key Q; le32 0; le32 1; printf '\xac\x20x\0NAMEQ')
dat unsorted-keys < <(table ZEBRA "last" apple "first" Mango $'two\r\nlines' Cafe "$(printf 'caf\xe9')")
dat repeated-name < <(table Hello one HELLO two)
dat hundred-entries < <(table $(for i in $(seq 100); do echo "E$i t$i"; done))
dat long-text < <(table LONG "$(printf 'x%.0s' {1..2100})")
dat high-byte-name < <(table "$(printf 'caf\xe9')" "latin-1 name")
dat trailing-bytes < <(table A B; printf 'tail')
dat short-count < <(printf '\x01\x00\x00')
dat count-beyond-file < <(le32 3; le32 0; le32 1; le32 1; printf 'B\0A')
dat text-beyond-file < <(le32 1; le32 0; le32 4000; le32 1; printf 'B\0A')
dat name-beyond-file < <(le32 1; le32 0; le32 1; le32 200; printf 'B\0A')

# Exchange files: the first byte picks the format (0 CSV, 1 JSON, 2 PO; 4
# added: PO names from msgid; 8 added: a byte order mark when written).
exchange() { cat >"$out/exchange/$1"; }
exchange csv < <(printf '\x00name,source,text\r\nA,"say ""hi""",x\r\n"B\r\nC",,\r\n')
exchange csv-semicolons < <(printf '\x08\xef\xbb\xbfName;Text;Other\nA;b;c\n\nD;"e;f";g')
exchange csv-utf16 < <(printf '\x00\xff\xfen\0a\0m\0e\0\t\0t\0e\0x\0t\0\n\0A\0\t\0\xac\x20')
exchange json < <(printf '\x01[{"name": "A", "text": "x\\ny\\u00e9\\ud83d\\ude00", "n": [1, -2.5e3, {"k": null}]}]')
exchange json-source < <(printf '\x01[{"name": "A", "source": "s", "text": ""}, {"name": "B", "text": "t"}]')
exchange po < <(printf '\x02msgid ""\nmsgstr "Content-Type: text/plain; charset=UTF-8\\n"\n\n#, fuzzy\nmsgctxt "A"\nmsgid ""\n"one\\n"\n"two"\nmsgstr "x\\101\\x42"\n\n#~ msgid "old"\nmsgctxt"B"msgid"b"msgstr""\r')
exchange po-charset < <(printf '\x02msgid ""\nmsgstr "Content-Type: text/plain; charset=SHIFT_JIS\\n"\n\nmsgctxt "A"\nmsgid "x"\nmsgstr "\x95\x5c"\n')
exchange po-msgid-names < <(printf '\x06msgid ""\nmsgstr "Content-Type: text/plain; charset=ISO-8859-8\\n"\n\nmsgid "Open"\nmsgstr "\xf9"\nmsgid "a" msgid_plural "b" msgstr[0] "c"\n')
