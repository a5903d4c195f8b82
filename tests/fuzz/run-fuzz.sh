#!/bin/sh
# run-fuzz.sh TARGET SECONDS SEEDS WORK: fuzzes TARGET for SECONDS, starting
# from every input in the seed folder SEEDS. New inputs and any crashing input
# go to WORK, never into the seeds kept in the repository.
set -eu
target=$1 seconds=$2 seeds=$3 work=$4
name=$(basename "$target")
if ! [ -d "$seeds" ] || [ -z "$(ls -A "$seeds")" ]; then
  echo "$name: no seed inputs in $seeds" >&2
  exit 1
fi
mkdir -p "$work/corpus"
# Exits non-zero, with the crashing input saved in WORK, on any finding.
exec "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
  -print_final_stats=1 -artifact_prefix="$work/" "$work/corpus" "$seeds"
