# Thin layer over the CMake presets and scripts/. `make demo` runs the main job, `make test`
# runs every test; both install what they need first.
PRESETS := native win64 win32
JOBS ?= $(shell nproc)

.PHONY: deps configure build test test-native test-win64 test-win32 demo pictures bench fuzz clean stop-wine

deps:
	@scripts/install-deps.sh

build/%/build.ninja: | deps
	cmake --preset $* >/dev/null

configure: $(foreach p,$(PRESETS),build/$(p)/build.ninja)

build: configure
	@for p in $(PRESETS); do cmake --build --preset $$p -j $(JOBS) || exit 1; done

test-native: build/native/build.ninja
	cmake --build --preset native -j $(JOBS)
	ctest --preset native -j $(JOBS)

test-win64: build/win64/build.ninja
	cmake --build --preset win64 -j $(JOBS)
	scripts/run-wine-tests.sh build/win64 -j $(JOBS)

test-win32: build/win32/build.ninja
	cmake --build --preset win32 -j $(JOBS)
	ctest --preset win32 -j $(JOBS)

test: deps
	$(MAKE) test-native
	$(MAKE) test-win64
	$(MAKE) test-win32

demo: deps build/win64/build.ninja
	cmake --build --preset win64 -j $(JOBS)
	scripts/demo.sh build/win64

bench: deps build/win32/build.ninja
	cmake --build --preset win32 -j $(JOBS)
	bench/run.sh

stop-wine:
	scripts/wine-stop.sh build/win64

clean: stop-wine
	rm -rf build

# Screenshots of the message boxes (error, question with bold text, long text, Hebrew) into
# build/win64/pictures.
pictures: deps build/win64/build.ninja
	cmake --build --preset win64 -j $(JOBS) --target boxshow
	scripts/pictures.sh build/win64

# Runs every libFuzzer target for FUZZ_SECONDS (default 20) in a clang build (build/fuzz).
FUZZ_SECONDS ?= 20
fuzz: deps
	scripts/fuzz.sh $(FUZZ_SECONDS)
