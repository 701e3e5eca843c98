#!/usr/bin/env bash
# Builds a .chm from one help source that holds every topic, each headed <h2 id="ctx-N"> or
# <h3 id="ctx-N">. Each becomes a page: ctxN.htm for a number N, N.htm for a name (an h2 page
# runs to the next h2, an h3 page to the next heading); the whole source is the contents page
# index.htm; the first paragraph of each topic is its "?" popup text in cshelp.txt.
#   make-chm.sh SOURCE.html OUTPUT_FOLDER [NAME [TITLE]]   (leaves OUTPUT_FOLDER/NAME.chm;
#   NAME defaults to Wextor5, TITLE to "Wextor 5 Help")
set -euo pipefail
src=$1
out=$2
name=${3:-Wextor5}
title=${4:-Wextor 5 Help}
pages="$out/chm-pages-$name" # not "PGP*": the bridge's folder is searched for PGP*.chm
rm -rf "$pages"
mkdir -p "$pages"
cp "$src" "$pages/index.htm"
awk -v dir="$pages" '
function strip(s) {
    gsub(/<[^>]*>/, "", s); gsub(/&lt;/, "<", s); gsub(/&gt;/, ">", s); gsub(/&quot;/, "\"", s)
    gsub(/&amp;/, "\\&", s); gsub(/[ \t\r\n]+/, " ", s); sub(/^ /, "", s); sub(/ $/, "", s)
    return s
}
{ line[NR] = $0 }
/<head>/ { inhead = 1 }
inhead { head = head $0 "\n" }
/<\/head>/ { inhead = 0 }
/<h[23] id="ctx-[0-9A-Za-z_]+">/ {
    n++; at[n] = NR; level[n] = substr($0, index($0, "<h") + 2, 1)
    c = $0; sub(/.*id="ctx-/, "", c); sub(/".*/, "", c); ctx[n] = c
}
/<\/body>/ { bodyend = NR }
END {
    files = "index.htm\n"; toc = ""
    for (i = 1; i <= n; i++) {
        stop = bodyend
        for (j = i + 1; j <= n; j++)
            if (level[j] <= level[i]) { stop = at[j]; break }
        page = (ctx[i] ~ /^[0-9]+$/ ? "ctx" ctx[i] : ctx[i]) ".htm"
        title = line[at[i]]; sub(/<span class="ctx">.*/, "", title); title = strip(title)
        t = head; sub(/<title>[^<]*<\/title>/, "<title>" title "</title>", t)
        printf "<!DOCTYPE html>\n<html lang=\"en\">\n%s<body>\n", t > (dir "/" page)
        for (k = at[i]; k < stop; k++) print line[k] > (dir "/" page)
        print "<p><a href=\"index.htm\">All topics</a></p>\n</body>\n</html>" > (dir "/" page)
        close(dir "/" page)
        files = files page "\n"
        if (level[i] == 2)
            toc = toc "<LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"" title \
                  "\"><param name=\"Local\" value=\"" page "\"></OBJECT>\n"
        # The popup: the topic title and its first paragraph.
        para = ""
        for (k = at[i] + 1; k < stop && para == ""; k++)
            if (line[k] ~ /<p>/) {
                para = line[k]
                while (para !~ /<\/p>/ && k + 1 < stop) para = para " " line[++k]
            }
        printf ".topic %s\n%s: %s\n\n", ctx[i], title, strip(para) > (dir "/cshelp.txt")
    }
    printf "%scshelp.txt\n", files > (dir "/files.txt")
    printf "<HTML><BODY><UL>\n%s</UL></BODY></HTML>\n", toc > (dir "/contents.hhc")
}' "$src"
{
    printf '[OPTIONS]\r\nCompatibility=1.1 or later\r\nCompiled file=%s.chm\r\n' "$name"
    printf 'Contents file=contents.hhc\r\nDefault topic=index.htm\r\nDisplay compile progress=No\r\n'
    printf 'Language=0x809 English (United Kingdom)\r\nTitle=%s\r\n\r\n[FILES]\r\n' "$title"
    sed 's/$/\r/' "$pages/files.txt"
} >"$pages/$name.hhp"
(cd "$pages" && chmcmd "$name.hhp" >chmcmd.log 2>&1) || { cat "$pages/chmcmd.log" >&2; exit 1; }
chm="$pages/$name.chm"
# chmcmd writes the time of day it compiled at (milliseconds) twice: big-endian in the header and
# as entry 10 of the internal file #SYSTEM. With SOURCE_DATE_EPOCH both are that time's, so that
# two builds of one source give the same file.
if [ -n "${SOURCE_DATE_EPOCH:-}" ]; then
    ms=$(( SOURCE_DATE_EPOCH % 86400 * 1000 ))
    put32() { # put32 OFFSET VALUE be|le
        local b=($((${2} >> 24 & 255)) $((${2} >> 16 & 255)) $((${2} >> 8 & 255)) $((${2} & 255)))
        [ "$3" = le ] && b=("${b[3]}" "${b[2]}" "${b[1]}" "${b[0]}")
        printf "$(printf '\\x%02x' "${b[@]}")" | dd of="$chm" bs=1 seek="$1" conv=notrunc status=none
    }
    bytes() { od -An -v -tu1 -j"$1" -N"$2" "$chm" | tr -s ' \n' ' '; }
    put32 16 "$ms" be
    # Where #SYSTEM is: its directory entry (name, then section, offset and length as
    # 7-bit variable-length numbers), the offset counted from content section 0.
    at=$(grep -obUa -F '/#SYSTEM' "$chm" | head -1 | cut -d: -f1)
    read -r offset length < <(bytes $((at + 8)) 16 | awk '{
        n = 0; v = 0
        for (i = 1; i <= NF && n < 3; i++) { v = v * 128 + $i % 128; if ($i < 128) { r[++n] = v; v = 0 } }
        print r[2], r[3] }')
    c0=$(od -An -tu4 -j88 -N4 "$chm" | tr -d ' ')
    start=$((c0 + offset))
    # Its entries: code and length (16-bit each), then the data; the version (32-bit) first.
    data=$(bytes "$start" "$length" | awk '{
        for (i = 5; i + 3 <= NF; i += 4 + len) {
            code = $i + 256 * $(i + 1); len = $(i + 2) + 256 * $(i + 3)
            if (code == 10 && len == 4) { print i + 3; exit }
        } }')
    [ -n "$data" ] && put32 $((start + data)) "$ms" le
fi
mv "$chm" "$out/$name.chm"
