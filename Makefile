# The two commands of the README: `make run` and `make test`. Both install what is missing,
# build, and then start the program on its demo folder or run the whole test suite.
BUILD ?= build
PROGRAMME ?= $(BUILD)/Plumelune
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: all deps configure build programme run test clean

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

clean:
	rm -rf $(BUILD)
