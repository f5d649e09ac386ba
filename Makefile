# make demo        - install what is missing, build, run the demo
# make test        - install what is missing, build, run every test
# make mutation ARGS="--count 20 --seed 7" - how many planted faults the unit tests catch
# make package - install what is missing, build, make the Debian package (build/packages/)
# make screenshots - pictures of every tab of the window in docs/screenshots/
BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= 2

.PHONY: demo test screenshots deps build package asan-tests unit-tests fuzz mutation clean

demo: build
	scripts/demo.sh $(BUILD)

screenshots: build
	scripts/screenshots.sh $(BUILD)

test: build
	cd $(BUILD) && ctest --output-on-failure -j$(JOBS)
	$(MAKE) asan-tests

package: build
	cmake --build $(BUILD) --target package

deps:
	scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORVANE_WERROR=ON
	cmake --build $(BUILD) -j$(JOBS)

# The Qt-free core's unit tests under AddressSanitizer and UndefinedBehaviorSanitizer,
# with the standard library's own checks (out-of-range [] and the like) switched on.
asan-tests: deps
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCORVANE_WERROR=ON \
	  -DCORVANE_CORE_ONLY=ON -DCORVANE_BENCH=OFF \
	  -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all -D_GLIBCXX_ASSERTIONS"
	cmake --build $(ASAN_BUILD) -j$(JOBS)
	cd $(ASAN_BUILD) && ctest --output-on-failure -j$(JOBS)

# The libFuzzer targets (clang); README shows how to run one.
fuzz: deps
	CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCORVANE_FUZZ=ON -DCORVANE_CORE_ONLY=ON -DCORVANE_BENCH=OFF
	cmake --build build-fuzz -j$(JOBS) --target fuzz_all

# Not part of `make test`: plants sampled faults in the Qt-free core one at a
# time and reports which ones the unit tests miss (see README).
mutation: deps
	python3 scripts/mutation.py $(ARGS)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) build-mutation build-fuzz
