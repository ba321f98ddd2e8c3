#!/usr/bin/env bash
# Reads the result lines benchmarks print and prints them as one table: each
# figure, its peer's figure from the same run, their ratio, the goal for the
# ratio (an upper bound; "-" for none) and whether it is met. Other lines are
# passed over. A result line holds seven fields separated by tabs:
#   result  what  figure  unit  peer  peer's-figure  goal
# usage: ... | bench/print_table.sh
set -euo pipefail
awk -F '\t' '
  $1 == "result" && NF == 7 {
    n++
    what[n] = $2; figure[n] = $3 " " $4; peer[n] = $5; peerFigure[n] = $6 " " $4; goal[n] = $7
    ratio[n] = ($6 > 0) ? sprintf("%.2f", $3 / $6) : "-"
    verdict[n] = ($7 == "-" || ratio[n] == "-") ? "" : (ratio[n] + 0 <= $7 + 0 ? "met" : "MISSED")
    if (length($2) > w1) w1 = length($2)
    if (length($5) > w2) w2 = length($5)
  }
  END {
    if (n == 0) exit 1
    format = "%-" w1 "s  %12s  %-" w2 "s  %12s  %6s  %5s  %s\n"
    printf format, "benchmark", "figure", "peer", "peer figure", "ratio", "goal", ""
    for (i = 1; i <= n; i++) {
      printf format, what[i], figure[i], peer[i], peerFigure[i], ratio[i],
             goal[i] == "-" ? "-" : "<= " goal[i], verdict[i]
    }
  }'
