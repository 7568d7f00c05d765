#!/bin/sh
# Runs every fuzz target for SECONDS (default 5) on a copy of its committed seed
# corpus. New inputs and crash reproducers stay under build/fuzz/; a crash fails the run.
set -eu
cd "$(dirname "$0")/../.."
seconds=${1:-5}
status=0
for target in ico_fuzz clip_text_fuzz tooltip_fuzz link_command_fuzz; do
    name=${target%_fuzz}
    work=build/fuzz/work/$name
    artifacts=build/fuzz/artifacts/$name/
    mkdir -p "$work" "$artifacts"
    echo "fuzz: $target for ${seconds}s"
    if ! build/fuzz/tests/fuzz/$target -max_total_time="$seconds" -print_final_stats=1 \
            -artifact_prefix="$artifacts" "$work" "tests/fuzz/corpus/$name" >"build/fuzz/$name.log" 2>&1; then
        echo "fuzz: $target FAILED; see build/fuzz/$name.log and $artifacts" >&2
        tail -n 30 "build/fuzz/$name.log" >&2
        status=1
    else
        grep -E 'stat::number_of_executed_units' "build/fuzz/$name.log" | sed "s/^/  /" || true
    fi
done
exit $status
