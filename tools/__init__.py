"""The repository's own tools; tools.bench is imported by the tests, the benchmarks
and the demo, which run from the repository's root (python3 -m ...)."""
