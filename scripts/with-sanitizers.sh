#!/usr/bin/env bash
# Runs a command (a test run of the sanitizer build) with the sanitizers'
# options: every finding stops the process with an error, so the test fails.
#   scripts/with-sanitizers.sh <command...>
#
# Leaks are looked for (detect_leaks=1) when a process exits. Only leaks
# that lie wholly inside libraries that are not ours are suppressed
# (scripts/sanitizers/lsan.supp); leaks through our code are findings.
set -euo pipefail
HERE=$(cd "$(dirname "$0")" && pwd)
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:halt_on_error=1:detect_stack_use_after_return=1:check_initialization_order=1:detect_odr_violation=2${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
export LSAN_OPTIONS="suppressions=$HERE/sanitizers/lsan.supp:print_suppressions=0${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1${UBSAN_OPTIONS:+:$UBSAN_OPTIONS}"
exec "$@"
