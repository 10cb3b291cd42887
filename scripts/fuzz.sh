#!/usr/bin/env bash
# Builds the fuzz targets with clang's libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs each of them for the given number of
# seconds (default 600), all at once. Findings are kept in build-fuzz/<target>/.
#   bash scripts/fuzz.sh [seconds]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
source "$top/scripts/deps.sh"
quorvel_install_missing "${quorvel_packages[@]}" clang libclang-rt-14-dev
seconds=${1:-600}
out="$top/build-fuzz"
mkdir -p "$out/bin"
flags=(-std=c++20 -g -O1 -fPIC -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined
       -I"$top" $(pkg-config --cflags Qt6Core Qt6Gui))
libs=($(pkg-config --libs Qt6Core Qt6Gui))
common=("$top"/model/*.cpp "$top"/plane/Cp932.cpp "$top"/plane/Convert.cpp "$top"/plane/Prompt.cpp
        "$top"/plane/ProgramState.cpp)

build() {  # name, sources...
  local name=$1; shift
  echo "building $name" >&2
  clang++ "${flags[@]}" "$@" "${common[@]}" "${libs[@]}" -o "$out/bin/$name"
}
build fuzz_units "$top/tests/fuzz/fuzz_units.cpp" "$top/plane/UnitFile.cpp"
build fuzz_profile "$top/tests/fuzz/fuzz_profile.cpp" "$top/practice/ProfileFile.cpp"
build fuzz_settingint "$top/tests/fuzz/fuzz_settingint.cpp"

pids=()
for name in fuzz_units fuzz_profile fuzz_settingint; do
  mkdir -p "$out/$name/corpus"
  seeds="$top/tests/fuzz/seeds/$name"
  [ -d "$seeds" ] || seeds=""
  ( cd "$out/$name" && QT_QPA_PLATFORM=offscreen "$out/bin/$name" -max_total_time="$seconds" -max_len=65536 \
      -artifact_prefix="$out/$name/" corpus $seeds > "$out/$name/log.txt" 2>&1 ) &
  pids+=($!)
done
status=0
for i in "${!pids[@]}"; do
  wait "${pids[$i]}" || status=1
done
for name in fuzz_units fuzz_profile fuzz_settingint; do
  printf '%s: %s\n' "$name" "$(grep -E '^(#[0-9]+.*DONE|Done [0-9]+ runs)' "$out/$name/log.txt" | tail -1)"
done
exit $status
