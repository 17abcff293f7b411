#!/usr/bin/env bash
set -euo pipefail
BUILD=$1
"$BUILD/bin/quelm-designer" palette
