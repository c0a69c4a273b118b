#!/usr/bin/env bash
# Solves random tasks of many shapes (tall, wide, square, with and without limits, with ties
# and small amounts) with two builds of kargolo-solve, in checking mode and in detailed mode
# whose report is cut at a few megabytes, with every first-plan rule and both methods, and
# counts the reports and exit codes that differ. For a change that must not alter any report.
#
#   bench/compare_reports.sh OLD_BUILD NEW_BUILD [FIRST_SEED] [LAST_SEED]
set -uo pipefail

old=${1:?usage: compare_reports.sh OLD_BUILD NEW_BUILD [FIRST_SEED] [LAST_SEED]}/cli/kargolo-solve
new=${2:?usage: compare_reports.sh OLD_BUILD NEW_BUILD [FIRST_SEED] [LAST_SEED]}/cli/kargolo-solve
make_task=$2/bench/bench_task
first=${3:-1}
last=${4:-300}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

shapes=("2 37" "37 2" "3 50" "50 3" "12 12" "40 40" "2 200" "200 2" "5 60" "60 5" "80 90"
        "1 9" "9 1" "33 140" "140 33" "150 170" "400 30" "30 400" "1200 6" "6 1200")
rules=(north-west minimum vogel double)
methods=(potentials distributive)
runs=0
differ=0
for ((seed = first; seed <= last; ++seed)); do
    read -r m n <<<"${shapes[seed % ${#shapes[@]}]}"
    tariffs=$((seed % 3 == 0 ? 3 : seed % 3 == 1 ? 9 : 1000))
    amounts=$((seed % 4 == 0 ? 5 : 1000))
    kind=$([[ $((seed % 5)) -eq 0 ]] && echo surplus || echo balanced)
    tightness=$((seed % 2 == 0 ? 50 : 0))
    "$make_task" "$scratch/task.tab" "$m" "$n" "$tariffs" "$amounts" "$kind" "$tightness" "$seed" || continue
    for mode in checking detailed; do
        options=(--mode "$mode" --plan "${rules[seed / 2 % 4]}" --method "${methods[seed / 8 % 2]}"
                 --max-report-mb 4)
        ((tightness > 0)) && options+=(--limits)
        "$old" "$scratch/task.tab" "${options[@]}" -o "$scratch/old.html" 2>/dev/null
        oldStatus=$?
        "$new" "$scratch/task.tab" "${options[@]}" -o "$scratch/new.html" 2>/dev/null
        newStatus=$?
        ((++runs))
        if ((oldStatus != newStatus)) || ! cmp -s "$scratch/old.html" "$scratch/new.html"; then
            ((++differ))
            echo "differs: seed $seed, $m x $n, ${options[*]}"
        fi
    done
done
echo "$runs runs, $differ differ"
((differ == 0))
