#!/bin/bash
# Builds the statement reader's fuzz target with clang in a build directory of
# its own and runs it for a bounded time over a generated seed corpus.
#   scripts/fuzz-sqlparser.sh [seconds]      (default 60)
# FUZZ_BUILD_DIR chooses the build directory (default build-fuzz in the tree).
# Exits non-zero when the build fails or the fuzzer finds a crash.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
build=${FUZZ_BUILD_DIR:-$root/build-fuzz}

if ! command -v clang++ >/dev/null; then
  echo "fuzz-sqlparser: clang++ not found; the fuzz target needs clang and libFuzzer" >&2
  exit 1
fi

CXX=clang++ cmake -S "$root/fuzz" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target sqlparser_fuzz -j2 >/dev/null

seeds=$build/seeds
corpus=$build/corpus
mkdir -p "$seeds" "$corpus" "$build/artifacts"
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

# libFuzzer writes new inputs into the first directory and only reads the rest.
"$build/bin/sqlparser_fuzz" "$corpus" "$seeds" \
  -dict="$root/fuzz/sql.dict" \
  -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=4096 \
  -artifact_prefix="$build/artifacts/" -print_final_stats=1
