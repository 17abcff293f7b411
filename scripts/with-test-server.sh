#!/usr/bin/env bash
# Runs a command with a private MariaDB server on loopback, then stops the
# server whatever the command's result. The tests find it through QUELM_TEST_*.
set -uo pipefail
HERE=$(cd "$(dirname "$0")" && pwd)
if [ -x "$HERE/test-server.sh" ]; then
  exec "$HERE/test-server.sh" "$@"
fi
exec "$@"
