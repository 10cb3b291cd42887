#!/usr/bin/env bash
# Builds the fuzz targets with clang's libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs them for the given number of seconds
# (default 600), all at once. Without target names every target runs.
# Findings are kept in build-fuzz/<target>/; the seeds in
# tests/fuzz/seeds/<target>/ (regressions among them) are run first.
#   bash scripts/fuzz.sh [seconds] [target...]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
source "$top/scripts/deps.sh"
quorvel_install_missing "${quorvel_packages[@]}" clang libclang-rt-14-dev
seconds=${1:-600}
shift || true
out="$top/build-fuzz"
mkdir -p "$out/bin"
flags=(-std=c++20 -g -O1 -fPIC -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined
       -I"$top" $(pkg-config --cflags Qt6Core Qt6Gui))
libs=($(pkg-config --libs Qt6Core Qt6Gui))
# The model, files and plane libraries whole and the prompt seam: they link
# Qt Core and Gui only.
common=("$top"/model/*.cpp "$top"/files/*.cpp "$top"/plane/*.cpp "$top"/ui/Prompt.cpp)

declare -A sources=(
  [fuzz_units]="$top/tests/fuzz/fuzz_units.cpp"
  [fuzz_profile]="$top/tests/fuzz/fuzz_profile.cpp"
  [fuzz_settingint]="$top/tests/fuzz/fuzz_settingint.cpp"
  [fuzz_plotting]="$top/tests/fuzz/fuzz_plotting.cpp $top/settings/PlaneSettingsStore.cpp $top/settings/SettingsStore.cpp"
)
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(fuzz_units fuzz_profile fuzz_settingint fuzz_plotting)

for name in "${targets[@]}"; do
  [ -n "${sources[$name]:-}" ] || { echo "no fuzz target $name" >&2; exit 2; }
  echo "building $name" >&2
  # shellcheck disable=SC2086
  clang++ "${flags[@]}" ${sources[$name]} "${common[@]}" "${libs[@]}" -o "$out/bin/$name"
done

pids=()
for name in "${targets[@]}"; do
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
for name in "${targets[@]}"; do
  printf '%s: %s\n' "$name" "$(grep -E '^(#[0-9]+.*DONE|Done [0-9]+ runs)' "$out/$name/log.txt" | tail -1)"
done
exit $status
