#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build-fuzz (tests and benchmarks
# off), seeds the corpora (small PNG and JPEG files written by the test encoder
# plus those under assets/; the panel's own definition strings), and fuzzes the
# file image source and the tweak-bar definition parser for FUZZ_SECONDS
# seconds each (default 30). Exits non-zero when a fuzzer reports a crash, a
# sanitizer error, a leak or an input slower than 2 s; the input that caused
# it is left in build-fuzz/fuzz/artifacts/.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${root}/build-fuzz"
seconds="${FUZZ_SECONDS:-30}"

CC=clang CXX=clang++ cmake -S "${root}" -B "${build}" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTHALORIN_FUZZ=ON -DTHALORIN_BUILD_TESTS=OFF -DTHALORIN_BUILD_BENCH=OFF
cmake --build "${build}" -j"${FUZZ_JOBS:-2}" --target ImageSourceFuzz TweakBarDefinitionFuzz fuzz_write_seeds

corpus="${build}/fuzz/corpus/ImageSourceFuzz"
artifacts="${build}/fuzz/artifacts/"
mkdir -p "${corpus}" "${artifacts}"
"${build}/fuzz/fuzz_write_seeds" "${corpus}"
if [ -d "${root}/assets" ]; then
    # Small images only: large ones slow every mutation down.
    find "${root}/assets" -type f \( -iname '*.png' -o -iname '*.jpg' -o -iname '*.jpeg' \) \
        -size -256k -exec cp {} "${corpus}/" \;
fi

# A header may ask for up to 16384 x 16384 pixels; the decoders allocate that
# before finding the data missing, so allow more than libFuzzer's 2 GB default.
"${build}/fuzz/ImageSourceFuzz" -max_total_time="${seconds}" -rss_limit_mb=4096 \
    -malloc_limit_mb=4096 -timeout=2 -artifact_prefix="${artifacts}" "${corpus}"

# The tweak-bar definition parser, seeded with the definitions the program uses.
definitions="${build}/fuzz/corpus/TweakBarDefinitionFuzz"
mkdir -p "${definitions}"
printf '%s' "\`Thalorin\` size='200 650' color='76 76 76' alpha=102" > "${definitions}/bar"
printf '%s' " GLOBAL fontscaling= 2" > "${definitions}/global"
printf '%s' "min=0.0 max=1.0 step=0.0001" > "${definitions}/range"
printf '%s' "opened=1 label='Bend Axis' group=Shape readonly=false visible=true precision=3 help=\"an axis\"" > "${definitions}/entry"
"${build}/fuzz/TweakBarDefinitionFuzz" -max_total_time="${seconds}" -timeout=2 \
    -artifact_prefix="${artifacts}" "${definitions}"
