#!/usr/bin/env bash
# Start-up of fortavo-cli: "fortavo-cli run" on a one-line script against "lua5.4 -e ''",
# the start of a small scripting language that does nothing. Uses hyperfine when it is
# installed; otherwise times both in turn through python3 and prints the medians and
# their ratio. Times only, no verdict: the aim is a ratio of at most about 3.
# Usage: startup.sh PATH/TO/fortavo-cli [RUNS], or the target bench_cli_startup of a
# build with FORTAVO_BENCH=ON.
set -euo pipefail
cli=$1
runs=${2:-40}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
printf 'var a\na=1\n' > "$work/one.fvs"
# A home of its own, so that no user's data folder is read or seeded.
export HOME="$work"
unset XDG_DATA_HOME XDG_CONFIG_HOME
command -v lua5.4 > /dev/null || { echo "lua5.4 is needed as the yardstick" >&2; exit 2; }

if command -v hyperfine > /dev/null; then
  hyperfine -N --warmup 3 --runs "$runs" "$cli run $work/one.fvs" "lua5.4 -e ''"
  exit
fi

# Both in turn, each started straight from python3 (no shell in between), the wall
# time of each run from start to reaped exit; medians and their ratio.
python3 - "$runs" "$cli" run "$work/one.fvs" <<'PY'
import statistics, subprocess, sys, time
runs, cli = int(sys.argv[1]), sys.argv[2:]
lua = ["lua5.4", "-e", ""]
def once(cmd):
    start = time.perf_counter()
    subprocess.run(cmd, stdout=subprocess.DEVNULL, check=True, close_fds=False)
    return time.perf_counter() - start
for _ in range(3):
    once(cli), once(lua)
times = {"cli": [], "lua": []}
for _ in range(runs):
    times["cli"].append(once(cli))
    times["lua"].append(once(lua))
a, b = statistics.median(times["cli"]), statistics.median(times["lua"])
print(f"fortavo-cli run, one-line script: median {a * 1000:.2f} ms over {runs} runs")
print(f"lua5.4 -e '':                     median {b * 1000:.2f} ms over {runs} runs")
print(f"ratio: {a / b:.2f}")
PY
