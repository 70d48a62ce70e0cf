# Kelvaro: `make run` builds and starts the program, `make test` builds and runs every test.
# Both install the Debian packages they need first (apt-get, as root or through sudo).

DEMO_TEXT ?= cq cq cq de kelvaro kelvaro k

.PHONY: run test deps release debug asan tsan bench clean

run: deps release
	@scripts/run.sh "$(DEMO_TEXT)"

test: deps
	@scripts/test.sh

deps:
	@scripts/install-deps.sh

release:
	@cmake --preset release >/dev/null
	@cmake --build --preset release

debug:
	@cmake --preset debug >/dev/null
	@cmake --build --preset debug

asan:
	@cmake --preset asan >/dev/null
	@cmake --build --preset asan

tsan:
	@cmake --preset tsan >/dev/null
	@cmake --build --preset tsan

bench: deps release
	./build/release/tools/bench_render

clean:
	rm -rf build
