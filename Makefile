# The two commands: `make test` and `make demo`. Everything else is a step of theirs.
BUILD ?= build
HOST := $(BUILD)/host
WIN := $(BUILD)/win
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: all deps configure build test test-host test-win demo bench clean

all: build

deps:
	@./scripts/install-deps

$(HOST)/Makefile: | deps
	cmake -S . -B $(HOST) -DSETUP_BIN_DIR=$(abspath $(BUILD))/bin $(CMAKE_FLAGS) >/dev/null

$(WIN)/Makefile: | deps
	cmake -S . -B $(WIN) -DCMAKE_TOOLCHAIN_FILE=$(abspath cmake/mingw-w64-x86_64.cmake) \
	    -DSETUP_BIN_DIR=$(abspath $(BUILD))/bin $(CMAKE_FLAGS) >/dev/null

configure: $(HOST)/Makefile $(WIN)/Makefile

build: configure
	cmake --build $(HOST) -j $(JOBS)
	cmake --build $(WIN) -j $(JOBS)

# Both trees are tested even when the first fails; the exit code reports either.
test: build
	@rc=0; \
	echo "== host tests"; (cd $(HOST) && ctest --output-on-failure -j $(JOBS)) || rc=1; \
	echo "== Windows tests (Wine)"; (cd $(WIN) && ctest --output-on-failure -j $(JOBS)) || rc=1; \
	exit $$rc

demo: build
	./scripts/demo $(BUILD)

bench: build
	./scripts/bench $(BUILD)

clean:
	rm -rf $(BUILD)
