#!/usr/bin/env bash
# Runs the demo host from a build folder (./run demo passes the folder of the built programs).
# With arguments, the demo runs them as given. Without, it starts the sandbox back end on
# loopback and runs the host's operations against it, one JSON line per completion.
set -euo pipefail
bin=$1; shift
demo="$bin/tarvello-demo"
# "app" also starts the sandbox (its built-in fixture holds the merchants the walk logs in as).
app=""
[ "${1:-}" = app ] && app=1
if (($#)) && [ -z "$app" ]; then
    exec "$demo" "$@"
fi

work=$(mktemp -d)
sandbox_pid=""
cleanup() {
    [ -n "$sandbox_pid" ] && kill "$sandbox_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

here=$(cd "$(dirname "$0")" && pwd)
fixture=(--fixture "$here/sandbox-fixture.json")
[ -n "$app" ] && fixture=()
"$bin/tarvello-sandbox" --cert-dir "$work/certs" "${fixture[@]}" >"$work/sandbox.json" 2>"$work/sandbox.log" &
sandbox_pid=$!
for _ in $(seq 1 100); do
    [ -s "$work/sandbox.json" ] && break
    sleep 0.1
done
if [ ! -s "$work/sandbox.json" ]; then
    echo "the sandbox back end did not start:" >&2
    cat "$work/sandbox.log" >&2
    exit 1
fi
read -r base_url ca_file < <(python3 -c 'import json,sys; d=json.load(open(sys.argv[1])); print(d["baseUrl"], d["caFile"])' "$work/sandbox.json")
echo "# sandbox back end at $base_url"

key=sbx_live_4f1c9a7e2d
if [ -n "$app" ]; then
    shift
    shots=app
    for a in "$@"; do [ "$a" = --pad ] && shots=app-pad; done
    shots="$(cd "$bin/.." && pwd)/screenshots/demo/$shots"
    rm -rf "$shots" # no pictures left from an earlier walk
    "$demo" --api-key "$key" --base-url "$base_url" --ca-file "$ca_file" \
        --screenshots "$shots" app "$@" 2>"$work/demo.log"
    exit
fi
token=tok_aurora_ana_valid
run() {
    echo "# $*"
    "$demo" --api-key "$key" --token "$token" --base-url "$base_url" --ca-file "$ca_file" "$@" \
        2>>"$work/demo.log" || true
}
run charge 0
shots="$(cd "$bin/.." && pwd)/screenshots/demo"
# Each scenario's folder holds this run's pictures only (the app walks keep theirs).
[ -d "$shots" ] && find "$shots" -mindepth 1 -maxdepth 1 ! -name 'app*' -exec rm -rf {} +
run charge 12.50 --pay cash --screenshots "$shots/cash"
# Card data is encrypted with the session token: card operations use a session that can.
card_token=tok_aurora_ana_card_reader_session
run --token "$card_token" --reader simulated --card chip-pin charge 30 --pay card --institution "Banco Sur" --plan 3 --screenshots "$shots/card"
run --token "$card_token" --reader simulated --card swipe charge 45 --pay card --institution "Visa Crédito" --screenshots "$shots/swipe"
# Above the signature limit (250.00) the cardholder signs on the pad; the second charge goes on
# to the receipt form, where the merchant types the buyer's address.
run --token "$card_token" --reader simulated --card chip-signature charge 300 --pay card --institution "Banco Sur" --plan 3 --screenshots "$shots/card-signed"
run --token "$card_token" --reader simulated --card chip-pin charge 120 --pay card --institution "Banco Sur" --plan 3 --receipt comprador@correo.com --screenshots "$shots/card-receipt"
grep '^sandbox record:' "$work/sandbox.log" | sed 's/^/# /' || echo "# the sandbox recorded no signature or receipt"
run --token "$card_token" --reader simulated --card chip-pin refund 5003 --amount 400 --screenshots "$shots/refund"
run --token "$card_token" --reader simulated --card chip-pin refund 5001 --screenshots "$shots/void"
run --token "$card_token" --reader simulated --card swipe refund 5004 --screenshots "$shots/void-swipe"
run charge 25.50 --bins 123456,12345
run charge 25.50 --currency 032
run batches
run agreements
run payment-info 5001
run payment-info --reference ORDER-5002
run payment-info 4040
run send-receipt 5001 buyer@example.com
run receipt-pdf 5001 "$work/receipt.pdf"
run refund 5002
run refund 5002
run close-all-batches
run --reader simulated reader
run settings
run bank-link 2850590940090418135201
run --token tok_aurora_ana_card_reader_session --reader simulated --card chip-pin reader-sale 25.50
run shop --screenshots "$shots/shop"
run shop --from-sale-button --wallet --screenshots "$shots/shop-wallet"
run logout
echo "# the SDK's own log (redacted) of these runs: $(wc -l <"$work/demo.log") lines"
