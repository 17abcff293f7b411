#!/usr/bin/env bash
# Makes the README's pictures: runs the window tests that take them on the
# offscreen platform, then copies them from BUILD/screenshots into
# docs/screenshots. Fails, copying nothing, when one of them is missing.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${1:-$ROOT/build}
SHOTS="$BUILD/screenshots"
PICTURES=(
  main-window-orderbook.png
  dialog-updatesql-editor.png
  dialog-sql-editor.png
  dialog-fields-editor.png
  dialog-database-editor.png
  dialog-field-link-designer.png
  dialog-params-collection-editor.png
  dialog-migrator.png
  dialog-about-box.png
  dialog-host-connection.png
)
QT_QPA_PLATFORM=offscreen ctest --test-dir "$BUILD" --output-on-failure \
  -R 'DialogScreenshotTest|MainWindowScreenshot' >/dev/null
for picture in "${PICTURES[@]}"; do
  [ -s "$SHOTS/$picture" ] || { echo "readme-screenshots: $SHOTS/$picture was not made" >&2; exit 1; }
done
mkdir -p "$ROOT/docs/screenshots"
for picture in "${PICTURES[@]}"; do
  cp "$SHOTS/$picture" "$ROOT/docs/screenshots/$picture"
done
echo "copied ${#PICTURES[@]} pictures into docs/screenshots"
