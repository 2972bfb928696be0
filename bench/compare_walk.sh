#!/usr/bin/env bash
# Generates the three synthetic trees under a temporary directory in /tmp,
# runs the rescan benchmark beside bfs and find on them, and deletes them.
# Usage: bench/compare_walk.sh [SEED [SIZE ...]]   (sizes default to all three)
set -euo pipefail
cd "$(dirname "$0")/.."
seed=${1:-1}
shift || true
if (($# > 0)); then sizes=("$@"); else sizes=(small medium large); fi

cmake --preset release >/dev/null
cmake --build --preset release --target generate_tree rescan_benchmark

trees=$(mktemp -d /tmp/wendaro-trees.XXXXXX)
trap 'rm -rf "$trees"' EXIT
for size in "${sizes[@]}"; do
  build/release/bench/generate_tree "$size" "$seed" "$trees/$size"
done
build/release/bench/rescan_benchmark "$trees" --benchmark_min_time=1
