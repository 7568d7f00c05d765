# The two commands a newcomer needs: `make run` and `make test`. Both install what is
# missing (Debian packages only) and build before they do anything else.
PYTHON := /usr/bin/python3
PRESETS := native win64 win32

.PHONY: all setup build run test unit-native unit-win e2e assets-check clean

all: build

setup:
	@tools/setup.sh

build: setup
	@for p in $(PRESETS); do \
	  cmake --preset $$p >/dev/null && cmake --build --preset $$p || exit 1; \
	done

assets-check:
	@$(PYTHON) tools/assets/make_assets.py --check

unit-native: build
	ctest --preset native

unit-win: build
	$(PYTHON) tools/bench/run.py -- ctest --preset win64

e2e: build
	$(PYTHON) -m pytest tests/e2e

test: build assets-check
	ctest --preset native
	$(PYTHON) tools/bench/run.py -- ctest --preset win64
	$(PYTHON) -m pytest tests/e2e

# With a display, the program runs on it; without one, the bench shows it at work
# and saves screenshots under out/run/.
run: setup
	@cmake --preset win64 >/dev/null && cmake --build --preset win64 --target TalvineCopyPaste talvine-probe
	@if [ -n "$$DISPLAY" ]; then \
	  LANG=zh_CN.UTF-8 wine build/win64/TalvineCopyPaste.exe; \
	else \
	  $(PYTHON) tools/demo.py; \
	fi

clean:
	rm -rf build out
