#!/usr/bin/env bash
# Starts the program on the current display.
set -euo pipefail
exec "$1" "${@:2}"
