#!/usr/bin/env bash
# Runs the demo host from a build folder: ./run demo passes the folder of the built programs.
set -euo pipefail
bin=$1; shift
exec "$bin/tarvello-demo" "$@"
