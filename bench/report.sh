#!/usr/bin/env bash
# Writes the benchmark report (Markdown) from a file of "name: value" lines:
# the machine, every figure with its goal (bench/goals.tsv), and the figures
# that miss their goals with what bounds them.
# Usage: report.sh <figures file> > bench/RESULTS.md
set -euo pipefail
figures=$1
goals=$(dirname "$0")/goals.tsv
cpu=$(awk -F': ' '/^model name/ { print $2; exit }' /proc/cpuinfo)
mem=$(awk '/^MemTotal/ { printf "%.0f GiB", $2 / 1048576 }' /proc/meminfo)
qt=$(dpkg-query -W -f='${Version}' libqt5core5a 2>/dev/null || echo unknown)
cat <<HEAD
# Benchmark results

Written by \`scripts/bench.sh\` on $(date -u +%Y-%m-%d), on $(nproc) cores of ${cpu:-an unknown processor}, ${mem},
$(. /etc/os-release && echo "$PRETTY_NAME"), Qt ${qt}. Times in milliseconds, memory in MiB;
each figure is the median of the runs given as \`runs_per_figure\`.

HEAD
awk -F'\t' -v figures="$figures" '
  BEGIN { while ((getline line < figures) > 0) if (split(line, p, ": ") == 2) { val[p[1]] = p[2]; order[++n] = p[1] } }
  /^#/ { next }
  { split($2, g, " "); op[$1] = g[1]; target[$1] = g[2]; bound[$1] = $3 }
  function met(name,  v) {
    v = val[name]
    if (v == "n/a" || v == "" || v == "nan") return "n/a"
    if (op[name] == "<=") return (v + 0 <= target[name] + 0) ? "yes" : "no"
    return (v + 0 >= target[name] + 0) ? "yes" : "no"
  }
  END {
    print "| figure | value | goal | met |"
    print "|---|---:|---|---|"
    for (i = 1; i <= n; ++i) {
      name = order[i]
      if (name in op) printf "| `%s` | %s | %s %s | %s |\n", name, val[name], op[name], target[name], met(name)
      else printf "| `%s` | %s | | |\n", name, val[name]
    }
    print ""
    print "## Figures that miss their goals"
    print ""
    missed = 0
    for (i = 1; i <= n; ++i) {
      name = order[i]
      if ((name in op) && met(name) == "no") {
        printf "- `%s` = %s (goal %s %s). What bounds it: %s.\n", name, val[name], op[name], target[name], bound[name]
        missed = 1
      }
    }
    for (name in op) if (!(name in val)) { printf "- `%s`: not measured in this run.\n", name; missed = 1 }
    if (!missed) print "None."
  }' "$goals"
