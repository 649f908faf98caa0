#!/usr/bin/env bash
# HexCodesToText beside Python's C codec, bytes.fromhex(codes).decode('gbk'), on the same codes
# (the GBK codes of 8,191 Chinese characters, 32,764 hexadecimal digits) in the same run:
# medians of 9 repetitions each, and their ratio. Python's time differs from one process to
# the next by up to 1.8 times here (37 or 64 us), so it is measured in three processes and the
# fastest median is the one compared.
#   bench/compare_decoding_with_python.sh [TARVEX_BENCH]    (default: the bench preset's build)
set -euo pipefail
cd "$(dirname "$0")/.."
bench=${1:-build/bench/bench/tarvex_bench}
python=/usr/bin/python3 # Debian's, as a user of this machine has it

ours=$("$bench" --benchmark_filter='^HexCodesToText_32764_chars$' --benchmark_repetitions=9 \
    --benchmark_report_aggregates_only=true --benchmark_format=csv 2>/dev/null \
    | awk -F, '/_median"?,/ { print $3 / 1000 }')
python_median() {
    "$python" - <<'PYTHON'
import statistics, timeit
chinese = ''.join(chr(0x4E00 + i % 20000) for i in range(8191))
codes = chinese.encode('gbk').hex().upper()
assert len(codes) == 32764
timer = timeit.Timer(lambda: bytes.fromhex(codes).decode('gbk'))
number, _ = timer.autorange()
print(statistics.median(t / number for t in timer.repeat(9, number)) * 1e6)
PYTHON
}
theirs=$( (python_median; python_median; python_median) | sort -n | head -n 1)
awk -v ours="$ours" -v theirs="$theirs" 'BEGIN {
    printf "HexCodesToText                    %8.1f us\n", ours
    printf "Python bytes.fromhex().decode()   %8.1f us\n", theirs
    printf "ratio                             %8.2f\n", ours / theirs
}'
