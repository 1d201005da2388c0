# Two commands do all the set-up on a fresh Debian 12 machine:
#   make run [FILE=path/to/Book.kerfa]   install, build and start Kerfa (the sample book when FILE is empty)
#   make test                            install, build and pass the whole test suite
#   make deb                             install, build and make the Debian package in $(BUILD)
# CI runs `make check`: the suite, the suite again built with the sanitizers, and every fuzzer
# briefly.
BUILD ?= build
JOBS ?= $(shell nproc)
FILE ?=
SAMPLE = $(BUILD)/program/Examples/The Lighthouse Keeper/The Lighthouse Keeper.kerfa

.PHONY: deps configure build run test deb sanitize check bench fuzz format clean

deps:
	bash tools/install-deps

configure: deps
	cmake -S . -B $(BUILD) -G Ninja

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	"$(BUILD)/program/kerfa" "$(if $(FILE),$(FILE),$(SAMPLE))"

test: build
	@echo "== make test: suite from $$(date -u +%T)"
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The whole suite built with AddressSanitizer and UndefinedBehaviorSanitizer in a second build
# folder; any finding, a leak included, fails its test. The dictionaries and the thesaurus that
# $(BUILD) compiled already are copied from there rather than compiled again.
sanitize: deps
	@echo "== make sanitize from $$(date -u +%T)"
	cmake -S . -B $(BUILD)-sanitize -G Ninja -DKERFA_SANITIZE=ON \
		-DKERFA_COMPILED_DATA="$(if $(wildcard $(BUILD)/program/Spelling/*.adm),$(abspath $(BUILD))/program)"
	cmake --build $(BUILD)-sanitize -j $(JOBS)
	cd $(BUILD)-sanitize && ctest --output-on-failure -j $(JOBS)

check: test sanitize fuzz

deb: build
	cd $(BUILD) && cpack -G DEB

bench: build
	cmake --build $(BUILD) --target benchmarks -j $(JOBS)
	bash bench/run-all

fuzz: deps
	@echo "== make fuzz from $$(date -u +%T)"
	cmake -S . -B $(BUILD)-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DKERFA_FUZZ=ON
	cmake --build $(BUILD)-fuzz --target fuzzers -j $(JOBS)
	bash fuzz/run-short $(BUILD)-fuzz

format:
	find src tests tools bench fuzz -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(BUILD)-sanitize $(BUILD)-fuzz
