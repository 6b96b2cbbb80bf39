# `make run` and `make test`, which the README's `./faire run` and `./faire test` call once
# make itself is installed. Both install what is missing, build (warnings are errors), and then
# start the program on its demo folder or run the whole test suite, source layout check included.
BUILD ?= build
PROGRAMME ?= $(BUILD)/Plumelune
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPLUMELUNE_WERROR=ON

.PHONY: all deps configure build programme run test test-asan fuzz paquet windows test-windows clean

all: build

deps:
	./scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD)

programme: build
	./scripts/lay-out-program.sh $(BUILD)/src/plumelune $(PROGRAMME)

run: programme
	./scripts/run-program.sh $(PROGRAMME)

test: programme
	QT_QPA_PLATFORM=offscreen ctest --test-dir $(BUILD) --output-on-failure

# The whole suite under AddressSanitizer and UndefinedBehaviorSanitizer.
test-asan: deps
	cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPLUMELUNE_SANITIZE=ON
	cmake --build build-asan
	QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp \
	  UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
	  ctest --test-dir build-asan --output-on-failure

# libFuzzer targets, 30 s each (FUZZ_SECONDES=600 make fuzz for a long run).
FUZZ_SECONDES ?= 30
fuzz:
	./scripts/fuzz.sh $(FUZZ_SECONDES)

# The Debian package: built, validated, installed here with apt-get and started once.
paquet:
	./scripts/paquet.sh

# Windows: the installer and the portable zip in build-windows/, cross-built here (the first
# run builds Qt for Windows into ~/.cache/plumelune/windows, the next ones reuse it); then the
# suite under Wine and the installer's end-to-end check.
windows:
	./scripts/windows/construire.sh

test-windows:
	./scripts/windows/tests.sh

clean:
	rm -rf $(BUILD)
