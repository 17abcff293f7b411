#!/bin/bash
# Builds the fuzz targets with clang in a build directory of their own and
# runs each for a bounded time from a fixed seed:
#   scripts/fuzz.sh [seconds-per-target] [target...]
# Targets: sqlparser, form_text, form_binary, form_load_save (default: all).
# FUZZ_BUILD_DIR chooses the build directory (default build-fuzz in the tree).
#
# The form targets start from the repository's form fixtures and examples and
# from the shared corpus of real form files (../shared/corpus/dfm, read where
# it is, not copied), with the format's dictionary (fuzz/form.dict). Inputs
# that once failed (fuzz/regressions/<target>) are run first. A crash, leak,
# timeout (an input over TIMEOUT seconds, default 5) or out-of-memory (over
# RSS_LIMIT_MB, default 2048, or one allocation over MALLOC_LIMIT_MB, default
# 256) fails the run; the failing input is left in $FUZZ_BUILD_DIR/artifacts.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(sqlparser form_text form_binary form_load_save)
build=${FUZZ_BUILD_DIR:-$root/build-fuzz}
shared=${QUELM_SHARED:-$(cd "$root/.." && pwd)/shared}

if ! command -v clang++ >/dev/null; then
  echo "fuzz: clang++ not found; the fuzz targets need clang and libFuzzer" >&2
  exit 1
fi

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
CXX=clang++ cmake -S "$root/fuzz" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" >/dev/null
cmake --build "$build" --target "${targets[@]/%/_fuzz}" -j"${FUZZ_JOBS:-2}" >/dev/null

sql_seeds() {
  local seeds=$build/seeds/sqlparser
  mkdir -p "$seeds"
  seed() { printf -- "$2" >"$seeds/$1"; }
  seed select-quoted 'select c.name, "Sales Lines".qty from "Sales Lines" od, customer c where c.id = -5'
  seed select-alias 'select * from a as x, b'
  seed select-join 'select * from a join b on a.id = b.id'
  seed select-sub 'select * from (select a from b)'
  seed update-plain 'update t set a = :a, b = :b where a = :OLD_a and b = :OLD_b'
  seed update-alias "update t set t.'a' = 1"
  seed update-quoted 'update t set t."a" = :"a"'
  seed update-paren 'update t set a = 1 where (b = 2) and c > 3'
  seed update-or 'update t set a = 1 where b = 2 or c = 3'
  seed update-generated 'update "Sales Lines"\nset\n  "Sales Lines"."id" = :"id",\n  "Sales Lines"."qty" = :"qty"\nwhere\n  "Sales Lines"."id" = :"OLD_id"'
  seed numbers '- -- -5 +5 1.5e-3 12abc'
  seed quotes "'it''s' \":x\" \"unterminated"
  seed katakana 'select \xb1\xb2\xb3 from \xc3\xdd\xce\xdf where a\xa1 = 1'
  seed double-byte 'select \x83\x65\x83\x58\x83\x67 from \x95\x5c, t\x81'
  seed high-bytes 'select caf\xe9 from \x80\xff\x7f\xfd'
  echo "$seeds"
}

# Seed directories of the form targets: every form file in the repository's
# fixtures and examples (gathered as links, so nothing is copied) and the
# shared corpus in place.
form_seeds() {
  local seeds=$build/seeds/forms
  rm -rf "$seeds"
  mkdir -p "$seeds"
  find "$root/tests" "$root/examples" -type f \( -iname '*.dfm' -o -iname '*.lfm' -o -iname '*.xfm' \) -print0 |
    while IFS= read -r -d '' f; do ln -sf "$f" "$seeds/$(echo "${f#$root/}" | tr / _)"; done
  echo "$seeds"
  [ -d "$shared/corpus/dfm" ] && echo "$shared/corpus/dfm"
  return 0
}

status=0
for target in "${targets[@]}"; do
  exe=$build/bin/${target}_fuzz
  corpus=$build/corpus/$target
  artifacts=$build/artifacts/$target
  mkdir -p "$corpus" "$artifacts"
  case $target in
    sqlparser) dict=$root/fuzz/sql.dict; maxlen=4096; mapfile -t seeds < <(sql_seeds) ;;
    *) dict=$root/fuzz/form.dict; maxlen=65536; mapfile -t seeds < <(form_seeds) ;;
  esac
  options=(-timeout="${TIMEOUT:-5}" -rss_limit_mb="${RSS_LIMIT_MB:-2048}" -malloc_limit_mb="${MALLOC_LIMIT_MB:-256}"
           -artifact_prefix="$artifacts/")
  regressions=$root/fuzz/regressions/$target
  if [ -d "$regressions" ] && [ -n "$(ls -A "$regressions")" ]; then
    echo "fuzz: $target: replaying $(ls "$regressions" | wc -l) regression inputs"
    "$exe" "${options[@]}" "$regressions"/* >"$artifacts/regressions.log" 2>&1 ||
      { tail -n 40 "$artifacts/regressions.log" >&2; echo "fuzz: $target: a regression input fails" >&2; status=1; continue; }
  fi
  echo "fuzz: $target for $seconds seconds"
  # libFuzzer writes new inputs into the first directory and only reads the rest.
  if ! "$exe" "$corpus" "${seeds[@]}" -dict="$dict" -seed=1 -max_total_time="$seconds" -max_len="$maxlen" \
       "${options[@]}" -print_final_stats=1 >"$artifacts/run.log" 2>&1; then
    tail -n 60 "$artifacts/run.log" >&2
    echo "fuzz: $target found a failure; the input is in $artifacts" >&2
    status=1
  else
    grep -E '^stat::(number_of_executed_units|peak_rss_mb)' "$artifacts/run.log" | tr '\n' ' '; echo
  fi
done
exit $status
