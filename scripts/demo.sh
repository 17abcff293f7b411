#!/usr/bin/env bash
# The main job, end to end: the package on the palette, an example schema in
# the embedded database, and the UpdateSQL editor run on an example form
# file's update object, which then holds the four statements.
set -euo pipefail
BUILD=$1
ROOT=$(cd "$(dirname "$0")/.." && pwd)
DESIGNER="$BUILD/bin/quelm-designer"

WORK=$(mktemp -d "${TMPDIR:-/tmp}/quelm-demo.XXXXXX")
trap 'rm -rf "$WORK"' EXIT
export QUELM_EMBEDDED_DIR="$WORK/embedded"
cp "$ROOT/examples/OrdersModule.dfm" "$WORK/OrdersModule.dfm"

echo "== The package's palette"
"$DESIGNER" palette
echo
echo "== The example schema, loaded into the embedded database"
"$DESIGNER" sql "$ROOT/examples/orders-schema.sql"
"$DESIGNER" db --database orders tables
echo
echo "== The context menu of CustomerUpdate"
"$DESIGNER" verbs "$WORK/OrdersModule.dfm" CustomerUpdate
echo
echo "== The UpdateSQL editor on CustomerUpdate: primary keys, generate, OK"
"$DESIGNER" updatesql "$WORK/OrdersModule.dfm" CustomerUpdate --primary-keys
echo
echo "== What changed in the form file"
diff -u --label examples/OrdersModule.dfm --label OrdersModule.dfm \
  "$ROOT/examples/OrdersModule.dfm" "$WORK/OrdersModule.dfm" | tr -d '\r' || true
