# awk -f name-po-entries.awk REFERENCE.po CATALOGUE.po
# Gives every entry of CATALOGUE a msgctxt that names it, as a string table
# needs: the same name for the same msgid (and msgctxt) in every catalogue,
# numbered in the order of REFERENCE. Plural entries, which a table cannot
# hold, are left out and counted on standard error. Both files as msgcat
# --no-wrap writes them: entries separated by empty lines.
BEGIN { RS = ""; FS = "\n" }

FNR == 1 { file++ }

# The entry's key: its msgctxt and msgid lines, as written.
function entry_key(    i, key, started) {
    key = ""
    started = 0
    for (i = 1; i <= NF; i++) {
        if ($i ~ /^msgctxt / || $i ~ /^msgid /) started = 1
        if ($i ~ /^msgid_plural / || $i ~ /^msgstr/) break
        if (started) key = key $i "\001"
    }
    return key
}

function is_plural(    i) {
    for (i = 1; i <= NF; i++) if ($i ~ /^msgid_plural /) return 1
    return 0
}

{
    key = entry_key()
    header = key == "msgid \"\"\001"
    if (file == 1) {
        if (!header && !is_plural() && !(key in name)) name[key] = sprintf("S%05d", ++count)
        next
    }
    if (header) { print $0 "\n"; next }
    if (is_plural()) { plurals++; next }
    if (!(key in name)) { unnamed++; next }
    entry = "msgctxt \"" name[key] "\""
    from_msgid = 0
    for (i = 1; i <= NF; i++) {
        if ($i ~ /^msgid /) from_msgid = 1
        if (from_msgid) entry = entry "\n" $i
    }
    print entry "\n"
}

END {
    if (plurals + unnamed > 0) printf "left out: %d plural entries, %d without a name\n", plurals, unnamed > "/dev/stderr"
}
