#!/usr/bin/env bash
# Runs scripts/bench.sh --quick on a build's programs and checks the shape of
# its table: the header, one row per case and run in order, numbers where
# numbers belong, and each floor writing the bytes of its build. Timings are
# never compared.
#   check-bench-table.sh <bench.sh> <build directory>
set -euo pipefail
table=$("$1" --quick --bin-dir "$2")
runs="cpp floor fortran floor qt floor"
[ -n "${UIC:-$(command -v uic || true)}" ] && runs="$runs uic"
echo "$table" | awk -v runs="$runs" '
    function number(v) { return v ~ /^[0-9]+(\.[0-9]+)?$/ }
    function bad(why) { print "line " NR ": " why ": " $0; failed = 1 }
    BEGIN { n = split(runs, want, " ") }
    NR == 1 { if ($0 !~ /^qgb build, whole process, medians of 1; /) bad("title"); next }
    NR == 2 {
        if ($0 !~ /^case +run +wall s +CPU s +peak MB +bytes +widgets\/s +x floor +x uic$/)
            bad("header")
        next
    }
    {
        row = NR - 2
        expected = row <= n ? "10x50 " want[row] : row == n + 1 ? "1x200 preview" : "nothing"
        if ($1 " " $2 != expected) bad("expected " expected)
        if (NF != 9) bad("9 columns")
        for (i = 3; i <= 5; ++i) if (!number($i)) bad("column " i " is no number")
        if ($2 == "floor") {
            if ($6 != bytes || $8 != "1.00") bad("the floor writes its build'"'"'s bytes")
        } else if ($2 != "uic") {
            if (!number($6) || $6 == 0) bad("bytes")
            bytes = $6
        }
        if ($2 ~ /^(cpp|fortran|qt)$/ && !(number($7) && number($8))) bad("rates and ratios")
        if ($2 == "qt" && (n > 6) != number($9)) bad("the ratio to uic")
    }
    END {
        if (NR != n + 3) { print "expected " n + 1 " rows, got " NR - 2; failed = 1 }
        exit failed
    }' || { echo "$table"; exit 1; }
