#!/usr/bin/env bash
# Times the whole process of kargolo-solve (checking mode) against lemon_solve on the same task
# files, and prints a Markdown table of the medians, their ratio, the peak memory and whether
# both found the same F.
#
#   bench/compare_with_lemon.sh BUILD_DIR [RUNS] [FILTER]
#
# RUNS runs of each program per task (3 by default); FILTER, a regular expression, keeps the
# tasks whose names match it. The task files are made once by bench_task and kept in
# $KARGOLO_BENCH_TASKS (default: a folder under /tmp).
set -euo pipefail

build=${1:?usage: compare_with_lemon.sh BUILD_DIR [RUNS] [FILTER]}
runs=${2:-3}
filter=${3:-.}
tasks=${KARGOLO_BENCH_TASKS:-/tmp/kargolo-bench-tasks}
solve=$build/cli/kargolo-solve
lemon=$build/bench/lemon_solve
make_task=$build/bench/bench_task
for program in "$solve" "$lemon" "$make_task"; do
    [[ -x $program ]] || { echo "missing $program" >&2; exit 1; }
done
mkdir -p "$tasks"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# name | bench_task arguments (M N TARIFF_MAX AMOUNT_MAX balanced|surplus TIGHTNESS) | rule.
# The tall and wide tasks have tariffs 1..9, so that ties and degenerate stages are common.
cases=(
    "1000x1000 t1..1000 surplus, Vogel|1000 1000 1000 1000 surplus 0|vogel"
    "1000x1000 t1..1000 surplus, north-west|1000 1000 1000 1000 surplus 0|north-west"
    "1000x1000 t1..100 a1..100 balanced, Vogel|1000 1000 100 100 balanced 0|vogel"
    "300x300 with limits|300 300 100 1000 balanced 50|minimum"
)
for m in 10000 20000 40000 80000; do
    cases+=("${m}x2, north-west|$m 2 9 1000 balanced 0|north-west"
            "2x${m}, north-west|2 $m 9 1000 balanced 0|north-west"
            "${m}x2 with limits|$m 2 9 1000 balanced 50|minimum"
            "2x${m} with limits|2 $m 9 1000 balanced 50|minimum")
done

# Times one run of a command: its wall-clock seconds and peak memory in MB, as "SECONDS MB".
run_once() {
    local start end
    start=$EPOCHREALTIME
    /usr/bin/time -f "%M" -o "$scratch/memory" "$@" >/dev/null 2>"$scratch/stderr" || true
    end=$EPOCHREALTIME
    awk -v a="$start" -v b="$end" -v kb="$(tail -n 1 "$scratch/memory")" \
        'BEGIN { printf "%.3f %.0f\n", b - a, kb / 1024 }'
}

# The median of the first fields and the largest second field of the lines given.
summarise() {
    sort -g | awk '{ t[NR] = $1; if ($2 > peak) peak = $2 } END { printf "%s %s\n", t[int((NR + 1) / 2)], peak }'
}

echo "| task | Карголо, s | LEMON, s | ratio | Карголо, MB | LEMON, MB | same F |"
echo "|---|---|---|---|---|---|---|"
for entry in "${cases[@]}"; do
    IFS='|' read -r name arguments rule <<<"$entry"
    [[ $name =~ $filter ]] || continue
    read -r m n tariffs amounts kind tightness <<<"$arguments"
    file=$tasks/$(echo "$arguments" | tr ' ' '_').tab
    [[ -f $file ]] || "$make_task" "$file" "$m" "$n" "$tariffs" "$amounts" "$kind" "$tightness"
    options=(--mode checking --plan "$rule")
    lemonOptions=()
    if ((tightness > 0)); then options+=(--limits); lemonOptions+=(--limits); fi
    # The two programs take turns, so that both meet the same load of the machine.
    : >"$scratch/ours"
    : >"$scratch/theirs"
    for ((r = 0; r < runs; ++r)); do
        run_once "$solve" "$file" "${options[@]}" -o "$scratch/report.html" >>"$scratch/ours"
        run_once "$lemon" "$file" "$scratch/lemon.txt" "${lemonOptions[@]}" >>"$scratch/theirs"
    done
    read -r ours ourPeak < <(summarise <"$scratch/ours")
    read -r theirs theirPeak < <(summarise <"$scratch/theirs")
    ourF=$(grep -a -o 'F= [-0-9]*' "$scratch/report.html" | tail -n 1 | tr -dc '0-9-')
    # A task the limits make unsolvable: LEMON writes F=-1.
    iconv -f cp1251 -t utf-8 "$scratch/report.html" | grep -q 'неразрешима' && ourF=-1
    theirF=$(head -n 1 "$scratch/lemon.txt" | tr -dc '0-9-')
    same=no
    [[ -n $ourF && $ourF == "$theirF" ]] && same=yes
    ratio=$(awk -v a="$ours" -v b="$theirs" 'BEGIN { if (b > 0) printf "%.1f", a / b; else printf "-" }')
    echo "| $name | $ours | $theirs | ${ratio}× | $ourPeak | $theirPeak | $same |"
done
