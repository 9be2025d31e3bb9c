#!/usr/bin/env bash
# Runs the demo host from a build folder (./run demo passes the folder of the built programs):
# with arguments, the demo runs them; without, it shows the charge checks of the facade.
set -euo pipefail
bin=$1; shift
demo="$bin/tarvello-demo"
if (($#)); then
    exec "$demo" "$@"
fi
echo "# charge of 0: refused as an invalid amount"
"$demo" --api-key demo-key --token demo-token charge 0 || true
echo "# charge with a BIN of five digits: refused as invalid bins"
"$demo" --api-key demo-key --token demo-token charge 25.50 --bins 123456,12345 || true
echo "# charge of 25.50 in currency 032: goes on to the session check with the back end"
"$demo" --api-key demo-key --token demo-token charge 25.50 --currency 032 || true
