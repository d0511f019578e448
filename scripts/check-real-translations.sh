#!/usr/bin/env bash
# check-real-translations.sh DATTOOL WORK_DIR [PACKAGE]
# dattool against real translations: downloads a Debian package (sed by
# default), turns its catalogues (.mo) back into PO files with msgunfmt,
# makes an English source table and one translation table per language, and
# for each language exports a translator's PO file with --source and checks
# it with gettext's own tools:
#   msgfmt -c      takes it without a word;
#   msgcmp         finds every source text of the template in it;
#   the translated entries are those of the catalogue, text for text;
#   importing the export back leaves the table byte for byte as it was.
# A benchmark-style check, not part of make test (it needs the download).
set -uo pipefail
dattool=$(realpath "$1")
work=$2
package=${3:-sed}
here=$(cd "$(dirname "$0")" && pwd)

rm -rf "$work" && mkdir -p "$work/deb" "$work/po" && cd "$work" || exit 1
echo "== $package: downloading"
apt-get download "$package" >/dev/null 2>download.log || { cat download.log; exit 1; }
dpkg-deb -x ./*.deb deb || exit 1
mapfile -t catalogues < <(find deb -name '*.mo' -path '*/LC_MESSAGES/*' | sort)
[ ${#catalogues[@]} -gt 0 ] || { echo "no catalogues in $package"; exit 1; }

for mo in "${catalogues[@]}"; do
  language=$(sed 's|.*/locale/\([^/]*\)/.*|\1|' <<<"$mo")
  msgunfmt "$mo" | msgconv -t UTF-8 | msgcat --no-wrap -o "po/$language.po" - || exit 1
done
# The source: every msgid of every catalogue, as its own translation.
msgcat --no-wrap --use-first po/*.po | msgfilter --no-wrap --keep-header sed -e d | msgen --no-wrap -o en.po - || exit 1
awk -f "$here/name-po-entries.awk" en.po en.po >en-named.po 2>/dev/null
"$dattool" import en-named.po en.dat >/dev/null || exit 1
"$dattool" export en.dat en.pot || exit 1

status=0
failed=0
printf '%-8s %7s %7s %9s %s\n' language rows fuzzy export result
for po in po/*.po; do
  language=$(basename "$po" .po)
  problems=()
  awk -f "$here/name-po-entries.awk" en.po "$po" >"$language-named.po" 2>/dev/null
  "$dattool" import "$language-named.po" "$language.dat" >/dev/null 2>"$language.err" ||
    problems+=("import: $(head -1 "$language.err")")
  start=$(date +%s%N)
  "$dattool" export "$language.dat" "$language-out.po" --source en.dat --language "$language" >"$language.counts" \
    2>>"$language.err" || problems+=("export: $(tail -1 "$language.err")")
  milliseconds=$((($(date +%s%N) - start) / 1000000))
  msgfmt -c -o /dev/null "$language-out.po" 2>"$language.msgfmt" || true
  [ -s "$language.msgfmt" ] && problems+=("msgfmt -c: $(head -1 "$language.msgfmt")")
  msgcmp --use-fuzzy --use-untranslated "$language-out.po" en.pot 2>"$language.msgcmp" ||
    problems+=("msgcmp: $(head -1 "$language.msgcmp")")
  # The translations as exported (fuzzy flags dropped) against the catalogue.
  msgattrib --translated --no-wrap --sort-output "$language-out.po" 2>/dev/null | sed '1,/^$/d; /^#, fuzzy$/d' >exported.txt
  msgcat --no-wrap --sort-output "$language-named.po" 2>/dev/null | sed '1,/^$/d' >expected.txt
  cmp -s exported.txt expected.txt || problems+=("the exported translations differ from the catalogue")
  cp "$language.dat" again.dat
  "$dattool" import "$language-out.po" again.dat >/dev/null 2>>"$language.err" || problems+=("import of the export")
  cmp -s "$language.dat" again.dat || problems+=("import of the export changed the table")
  rows=$(grep -c '^msgctxt' "$language-named.po")
  fuzzy=$(sed -n 's/^fuzzy //p' "$language.counts")
  if [ ${#problems[@]} -eq 0 ]; then
    printf '%-8s %7s %7s %6s ms %s\n' "$language" "$rows" "$fuzzy" "$milliseconds" ok
  else
    printf '%-8s %7s %7s %6s ms FAILED: %s\n' "$language" "$rows" "$fuzzy" "$milliseconds" "${problems[0]}"
    [ ${#problems[@]} -gt 1 ] && printf '         %s\n' "${problems[@]:1}"
    failed=$((failed + 1))
    status=1
  fi
done
echo "${#catalogues[@]} catalogues of $package, $(grep -c '^msgctxt' en-named.po) source texts, $failed failed"
exit $status
