"""The benchmarks (`python3 -m bench.run`): measured and printed, never asserted on time."""
