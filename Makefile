# Kelvaro: `make run` builds and starts the program, `make test` builds and runs every test.
# Both install the Debian packages they need first (apt-get, as root or through sudo).

.PHONY: run test deps release debug asan tsan bench fuzz clean

run: deps release
	@scripts/run.sh

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

BENCH_CHARACTERS ?= 500
BENCH_PLAYBACK_MINUTES ?= 3

bench: deps release
	./build/release/tools/bench_render
	./build/release/tools/bench_decode
	./build/release/tools/bench_keying $(BENCH_CHARACTERS)
	scripts/with-audio-env.sh ./build/release/tools/bench_playback $(BENCH_PLAYBACK_MINUTES)
	scripts/with-audio-env.sh ./build/release/tools/bench_sidetone
	./build/release/tools/bench_progress

# Builds the settings reader's fuzz target (clang, libFuzzer) and runs it for FUZZ_SECONDS; new
# inputs go to build/fuzz/corpus, the committed seeds stay as they are.
FUZZ_SECONDS ?= 60

fuzz: deps
	@cmake --preset fuzz >/dev/null
	@cmake --build --preset fuzz
	@mkdir -p build/fuzz/corpus
	./build/fuzz/tests/fuzz/fuzz_settings_reader -max_total_time=$(FUZZ_SECONDS) \
		-dict=tests/fuzz/settings.dict -artifact_prefix=build/fuzz/ build/fuzz/corpus tests/fuzz/corpus

clean:
	rm -rf build
