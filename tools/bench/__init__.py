"""The test bench and what runs on it.

harness: a private Xvfb display and Wine prefix per run, the programs started on it,
         the probe, input and screenshots.
pages:   the program, Wine's notepad and the tray as the tests see them.
workload: what a person does in bulk (drags, moves, toggles, presses, typing), and
         what a process holds, from /proc.
run:     `python3 -m tools.bench.run -- COMMAND...` runs one command inside a bench.
"""
