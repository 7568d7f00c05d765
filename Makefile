# The two commands a newcomer needs: `make run` and `make test`. Both install what is
# missing (Debian packages only) and build before they do anything else.
PYTHON := /usr/bin/python3
PRESETS := native win64 win32 fuzz
FUZZ_SECONDS ?= 300

.PHONY: all setup build run test unit-native unit-win e2e assets-check imports-check fuzz bench soak dist clean

all: build

setup:
	@tools/setup.sh

build: setup
	@for p in $(PRESETS); do \
	  cmake --preset $$p >/dev/null && cmake --build --preset $$p || exit 1; \
	done

assets-check:
	@$(PYTHON) tools/assets/make_assets.py --check

# The shipped program imports nothing that Windows 7 lacks.
imports-check: build
	$(PYTHON) tools/check_imports.py build/win64/TalvineCopyPaste.exe

unit-native: build
	ctest --preset native

unit-win: build
	$(PYTHON) -m tools.bench.run -- ctest --preset win64

e2e: build
	$(PYTHON) -m pytest tests/e2e

# The win32 preset is built (warnings as errors) but nothing here can run it.
test: build assets-check imports-check
	ctest --preset native
	tests/fuzz/run.sh 5
	$(PYTHON) -m pytest tests/static
	$(PYTHON) -m tools.bench.run -- ctest --preset win64
	$(PYTHON) -m pytest tests/e2e
	tools/check_reproducible.sh

# Runs every fuzz target for FUZZ_SECONDS (make fuzz FUZZ_SECONDS=3600).
fuzz: build
	tests/fuzz/run.sh $(FUZZ_SECONDS)

# Prints one table of figures measured on the bench; never fails on time.
bench: build
	$(PYTHON) -m bench.run

# A day of use, compressed: 1,000 copies, 1,000 pastes and 200 toggles against the
# program, then the copy worker's threads alone; prints memory, threads and handles.
# It takes 10 to 15 minutes, so it is not part of `make test`.
soak: build
	$(PYTHON) -m bench.soak

# The release zip under out/dist/.
dist: build
	$(PYTHON) tools/dist.py

# With a display, the program runs on it; without one, the bench shows it at work
# and saves screenshots under out/run/.
run: setup
	@cmake --preset win64 >/dev/null && cmake --build --preset win64 --target TalvineCopyPaste talvine-probe
	@if [ -n "$$DISPLAY" ]; then \
	  LANG=zh_CN.UTF-8 wine build/win64/TalvineCopyPaste.exe; \
	else \
	  $(PYTHON) -m tools.demo; \
	fi

clean:
	rm -rf build out
