# Thin wrapper over the CMake presets. `make run` builds and runs the main job on the sample,
# `make test` builds and runs every test (normal build, sanitizer build, fuzz replay),
# `make package` builds the Debian package.
.PHONY: setup build run test test-default test-asan fuzz bench coverage package format clean

setup:
	scripts/setup

build: setup
	cmake --preset default
	cmake --build --preset default

run: build
	scripts/run-sample build/default/pelko

test-default: build
	ctest --preset default

test-asan: setup
	cmake --preset asan
	cmake --build --preset asan
	ctest --preset asan

fuzz: setup
	cmake --preset fuzz
	cmake --build --preset fuzz
	scripts/fuzz-ci build/fuzz

test: test-default test-asan fuzz

# Line and branch coverage of src/ by the test suite: the library tests over the library, then the
# whole suite over the whole of src/ (summaries on stdout, per-file tables in build/coverage/*.txt).
coverage: setup
	cmake --preset coverage
	cmake --build --preset coverage
	nice scripts/coverage-report build/coverage

# The Debian package (CPack), written to build/default/; docs/install.md.
package: build
	cmake --build --preset default --target package

bench: build
	scripts/run-bench build/default

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build out
