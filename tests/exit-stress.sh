#!/usr/bin/env bash
# Runs the demo host's failing command many times against a sandbox that serves a certificate of
# another authority, and fails on any run that does not end as a clean failure (exit status 1
# after its one completion line): a crash at exit shows as a signal or a missing line.
#   tests/exit-stress.sh BIN_DIR [RUNS] [JOBS]
# BIN_DIR holds tarvello-demo and tarvello-sandbox; RUNS defaults to 300, JOBS to twice the
# cores (a run spends part of its time waiting on its connection).
set -euo pipefail
bin=$(cd "${1:?usage: exit-stress.sh BIN_DIR [RUNS] [JOBS]}" && pwd)
runs=${2:-300}
jobs=${3:-$(($(nproc) * 2))}
export QT_QPA_PLATFORM=offscreen
# In a sanitizer build a report must not pass for the command's own failure (status 1); leaks
# are the suite's business, and checking them at every exit would slow each run down.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}exitcode=99:detect_leaks=0"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:+$UBSAN_OPTIONS:}exitcode=99:print_stacktrace=1"

work=$(mktemp -d)
sandbox_pid=""
cleanup() {
    [ -n "$sandbox_pid" ] && kill "$sandbox_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

"$bin/tarvello-sandbox" --cert-dir "$work/certs" --foreign-certificate \
    >"$work/sandbox.json" 2>"$work/sandbox.log" &
sandbox_pid=$!
for _ in $(seq 1 100); do
    [ -s "$work/sandbox.json" ] && break
    sleep 0.1
done
line=$(cat "$work/sandbox.json" 2>/dev/null || true)
base_url=$(sed -n 's/.*"baseUrl":"\([^"]*\)".*/\1/p' <<<"$line")
ca_file=$(sed -n 's/.*"caFile":"\([^"]*\)".*/\1/p' <<<"$line")
if [ -z "$base_url" ] || [ -z "$ca_file" ]; then
    echo "the sandbox back end did not start:" >&2
    cat "$work/sandbox.log" >&2
    exit 1
fi

# One run: its own settings folders, so parallel runs share nothing but the sandbox.
one_run() {
    local n=$1 home="$work/run$1"
    mkdir -p "$home"
    local status=0
    XDG_CONFIG_HOME="$home" XDG_DATA_HOME="$home" XDG_CACHE_HOME="$home" \
        "$bin/tarvello-demo" --api-key sbx_live_4f1c9a7e2d --token tok_aurora_ana_valid \
        --base-url "$base_url" --ca-file "$ca_file" batches >"$home/out" 2>"$home/err" ||
        status=$?
    if [ "$status" -ne 1 ] || [ "$(grep -c '"success": false' "$home/out")" -ne 1 ] ||
        grep -q -e 'Sanitizer' -e 'runtime error' "$home/err"; then
        echo "run $n: exit status $status" >&2
        cat "$home/out" >&2
        tail -n 20 "$home/err" >&2
        return 1
    fi
    rm -rf "$home"
}
export -f one_run
export bin work base_url ca_file

start=$SECONDS
failed=0
seq 1 "$runs" | xargs -P "$jobs" -I{} bash -c 'one_run {}' || failed=1
echo "$runs runs of the failing command in $((SECONDS - start)) s ($jobs at a time)"
if ((failed)); then
    echo "some runs did not end cleanly" >&2
    exit 1
fi
