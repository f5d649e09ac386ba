# make demo        - install what is missing, build, run the demo
# make test        - install what is missing, build, run every test
# make screenshots - pictures of every tab of the window in docs/screenshots/
BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= 2

.PHONY: demo test screenshots deps build asan-tests unit-tests fuzz clean

demo: build
	scripts/demo.sh $(BUILD)

screenshots: build
	scripts/screenshots.sh $(BUILD)

test: build
	cd $(BUILD) && ctest --output-on-failure -j$(JOBS)
	$(MAKE) asan-tests

deps:
	scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORVANE_WERROR=ON
	cmake --build $(BUILD) -j$(JOBS)

# The Qt-free core's unit tests under AddressSanitizer and UndefinedBehaviorSanitizer.
asan-tests: deps
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCORVANE_WERROR=ON \
	  -DCORVANE_CORE_ONLY=ON -DCORVANE_BENCH=OFF \
	  -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all"
	cmake --build $(ASAN_BUILD) -j$(JOBS)
	cd $(ASAN_BUILD) && ctest --output-on-failure -j$(JOBS)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
