#!/bin/sh
# Runs a test in a network namespace of its own, where the system lets a user make one: its
# adapters listen on a loopback nobody else shares, one test takes that loopback down, and
# nothing sent can leave the machine. Elsewhere the test runs as it is and skips what needs one.
unshare --user --map-root-user --net true 2>/dev/null &&
    exec unshare --user --map-root-user --net env BRELO_RED_PROPIA=1 "$@"
exec "$@"
