#!/usr/bin/env bash
# The benchmark of what a user runs: the whole `qgb build` process (layout
# load, build, layout save) for C++, FORTRAN and Qt on synthetic layouts,
# beside the I/O floor of the same run and Qt's uic on the forms the Qt build
# wrote. docs/benchmarks.md explains the table.
set -euo pipefail

usage() {
    cat <<'EOF'
Usage: scripts/bench.sh [--quick] [--reps N] [--sizes "N ..."] [--bin-dir DIR]
                        [--build-dir DIR] [--work DIR]

Makes layouts of N dialogs x 50 controls (10, 100, 1000 and 10000), one of 600
dialogs x 50 and one dialog of 30,000 controls, all with every control kind,
tab and form pages and sidebars. Each `qgb build` (--language cpp, fortran,
qt) runs in its own process on a fresh copy of its layout, N repetitions
(default 5); the table shows the medians of the wall time, the CPU time and
the peak memory of that process alone. In the same run:
  floor    the same files with the same bytes written by a few lines of C,
           after reading the layout once;
  uic      Qt's uic run once per form on the forms the Qt build wrote (also
           on one dialog of 10,000 controls);
  preview  `qgb preview` of a 200-control dialog as a PNG.

Options:
  --quick          10 dialogs only and one repetition (checks that it runs)
  --reps N         repetitions per case (default 5; 1 with --quick)
  --sizes "N ..."  dialog counts of the N x 50 layouts (default "10 100 1000 10000")
  --bin-dir DIR    use the programs already built in DIR (qgb, bench/bench_*)
                   instead of building them
  --build-dir DIR  the Release build directory to build them in (default build-bench)
  --work DIR       where the layouts and outputs go (default a new directory in
                   /dev/shm, else in $TMPDIR or /tmp); removed at the end
  -h, --help       this text

Environment: UIC names Qt 5's uic (default: uic on the PATH); without it the
uic rows are left out.
EOF
}

root=$(cd "$(dirname "$0")/.." && pwd)
quick=0
reps=""
sizes="10 100 1000 10000"
bin=""
build="$root/build-bench"
work=""
while [ $# -gt 0 ]; do
    case "$1" in
    -h | --help) usage; exit 0 ;;
    --quick) quick=1 ;;
    --reps) reps="${2:?--reps needs a number}"; shift ;;
    --sizes) sizes="${2:?--sizes needs a list}"; shift ;;
    --bin-dir) bin="${2:?--bin-dir needs a directory}"; shift ;;
    --build-dir) build="${2:?--build-dir needs a directory}"; shift ;;
    --work) work="${2:?--work needs a directory}"; shift ;;
    *) echo "bench.sh: unknown argument \"$1\" (see --help)" >&2; exit 2 ;;
    esac
    shift
done
if [ "$quick" = 1 ]; then
    sizes=10
    reps=${reps:-1}
fi
reps=${reps:-5}
case "$reps" in '' | *[!0-9]* | 0) echo "bench.sh: --reps needs a positive number" >&2; exit 2 ;; esac

if [ -z "$bin" ]; then
    cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DQGB_BUILD_TESTS=OFF >/dev/null
    cmake --build "$build" -j"$(nproc)" \
        --target qgb quorvin_gui_builder bench_make_layout bench_time bench_io_floor >/dev/null
    bin="$build"
fi
bin=$(cd "$bin" && pwd)
for program in qgb bench/bench_make_layout bench/bench_time bench/bench_io_floor; do
    [ -x "$bin/$program" ] || { echo "bench.sh: $bin/$program is missing" >&2; exit 1; }
done
uic=${UIC:-$(command -v uic || true)}

if [ -z "$work" ]; then
    base=${TMPDIR:-/tmp}
    [ -d /dev/shm ] && [ -w /dev/shm ] && base=/dev/shm
    work=$(mktemp -d "$base/qgb-bench.XXXXXX")
else
    mkdir -p "$work"
fi
trap 'rm -rf "$work"' EXIT
log="$work/messages.log"

fail() {
    echo "bench.sh: $*" >&2
    [ -s "$log" ] && tail -n 5 "$log" >&2
    exit 1
}

# timed RESULT COMMAND...: one line "wall cpu peak-kB status" appended to
# RESULT; the command's standard output goes to this function's.
timed() {
    local result=$1 line
    shift
    "$bin/bench/bench_time" "$work/one" "$@" 2>>"$log"
    line=$(cat "$work/one")
    [ "${line##* }" = 0 ] || fail "\"$*\" failed (exit ${line##* })"
    echo "$line" >>"$result"
}

# median FILE COLUMN: the median of that column of the file's lines.
median() {
    sort -g -k"$2,$2" "$1" | awk -v c="$2" '{ v[NR] = $c } END { print v[int((NR + 1) / 2)] }'
}

# A project of D dialogs x C controls: layout/design.lay beside ui/mainwindow/qt,
# as the Qt build expects. Prints the number of controls.
make_project() {
    local dir="$work/source-$1x$2"
    mkdir -p "$dir/layout" "$dir/ui/mainwindow/qt"
    "$bin/bench/bench_make_layout" "$dir/layout/design.lay" "$1" "$2" "$dir/layout/image.bmp"
}

printf '%-9s %-8s %8s %8s %8s %11s %10s %8s %7s\n' \
    case run "wall s" "CPU s" "peak MB" bytes widgets/s "x floor" "x uic" >"$work/table"
row() { # case run wall cpu peak-kB bytes widgets/s x-floor x-uic
    printf '%-9s %-8s %8.3f %8.3f %8.1f %11s %10s %8s %7s\n' \
        "$1" "$2" "$3" "$4" "$(awk -v k="$5" 'BEGIN { print k / 1024 }')" "$6" "$7" "$8" "$9" \
        >>"$work/table"
}
rate() { awk -v n="$1" -v s="$2" 'BEGIN { printf "%.0f", (s > 0 ? n / s : 0) }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", (b > 0 ? a / b : 0) }'; }

# bench_case D C LANGUAGES: every language's build, its floor and, for Qt, uic.
bench_case() {
    local dialogs=$1 controls=$2 name="$1x$2" count language source run i
    count=$(make_project "$dialogs" "$controls")
    source="$work/source-$name"
    for language in $3; do
        run="$work/run-$name-$language"
        : >"$work/build.times"
        for ((i = 0; i < reps; i++)); do
            rm -rf "$run"
            cp -r "$source" "$run"
            (cd "$run" && timed "$work/build.times" "$bin/qgb" build layout/design.lay \
                --language "$language" >"$work/written")
        done
        local wall cpu peak bytes widgets
        wall=$(median "$work/build.times" 1)
        cpu=$(median "$work/build.times" 2)
        peak=$(median "$work/build.times" 3)
        (cd "$run" && xargs -d '\n' stat -c %s <"$work/written") >"$work/sizes"
        bytes=$(awk '{ s += $1 } END { print s }' "$work/sizes")
        widgets=$count
        if [ "$language" = qt ]; then
            grep '\.ui$' "$work/written" | sed "s|^|$run/|" >"$work/forms"
            widgets=$(xargs -d '\n' cat <"$work/forms" | grep -o '<widget ' | wc -l)
        fi

        : >"$work/floor.times"
        for ((i = 0; i < reps; i++)); do
            rm -rf "$work/floor"
            mkdir "$work/floor"
            timed "$work/floor.times" "$bin/bench/bench_io_floor" "$source/layout/design.lay" \
                "$work/floor" "$work/sizes"
        done
        local floor
        floor=$(median "$work/floor.times" 1)

        local versus_uic=- uic_wall
        if [ "$language" = qt ] && [ -n "$uic" ]; then
            : >"$work/uic.times"
            for ((i = 0; i < reps; i++)); do
                timed "$work/uic.times" xargs -d '\n' -n1 "$uic" -o /dev/null <"$work/forms"
            done
            uic_wall=$(median "$work/uic.times" 1)
            versus_uic=$(ratio "$uic_wall" "$wall")
        fi
        row "$name" "$language" "$wall" "$cpu" "$peak" "$bytes" "$(rate "$widgets" "$wall")" \
            "$(ratio "$wall" "$floor")" "$versus_uic"
        row "$name" floor "$floor" "$(median "$work/floor.times" 2)" \
            "$(median "$work/floor.times" 3)" "$bytes" - 1.00 -
        if [ "$versus_uic" != - ]; then
            row "$name" uic "$uic_wall" "$(median "$work/uic.times" 2)" \
                "$(median "$work/uic.times" 3)" - "$(rate "$widgets" "$uic_wall")" \
                "$(ratio "$uic_wall" "$floor")" 1.00
        fi
        rm -rf "$run" "$work/floor"
    done
    rm -rf "$source"
}

# The PNG preview of one dialog of 200 controls (the layout's current frame).
bench_preview() {
    make_project 1 200 >/dev/null
    : >"$work/preview.times"
    for ((i = 0; i < reps; i++)); do
        timed "$work/preview.times" "$bin/qgb" preview "$work/source-1x200/layout/design.lay" \
            -o "$work/preview.png" >/dev/null
    done
    local wall
    wall=$(median "$work/preview.times" 1)
    row 1x200 preview "$wall" "$(median "$work/preview.times" 2)" \
        "$(median "$work/preview.times" 3)" "$(stat -c %s "$work/preview.png")" \
        - - -
    rm -rf "$work/source-1x200"
}

for dialogs in $sizes; do
    bench_case "$dialogs" 50 "cpp fortran qt"
done
if [ "$quick" = 0 ]; then
    bench_case 600 50 "cpp fortran qt"
    bench_case 1 30000 "cpp fortran qt"
    bench_case 1 10000 qt
fi
bench_preview

echo "qgb build, whole process, medians of $reps; work directory on $(df -P "$work" | awk 'NR == 2 { print $1 }')"
cat "$work/table"
