#!/usr/bin/env bash
# Runs the partner monitor's long exchange: the built program beside a game-side stand-in
# that makes a few hundred seeded requests, replaces about one in four with the next while it
# is served, and checks every answer and the mesh set after it. Ends with a line of figures.
# Usage: tools/run_long_exchange.sh [--wine] [requests, default 300] [seed, default 7]
set -euo pipefail
cd "$(dirname "$0")/.."
top=$(pwd)
launcher=native
if [ "${1:-}" = --wine ]; then launcher=wine; shift; fi
export VOREL_LONG_EXCHANGE_REQUESTS=${1:-300}
export VOREL_LONG_EXCHANGE_SEED=${2:-7}

tools/install_deps.sh "$([ "$launcher" = wine ] && echo all || echo native)"
cmake --preset native >/dev/null
cmake --build --preset native --target partner_monitor_long_exchange -j "$(nproc)"
programs="native:$top/build/native"
if [ "$launcher" = wine ]; then
    cmake --preset windows >/dev/null
    cmake --build --preset windows --target partner-monitor -j "$(nproc)"
    programs="wine:$top/build/windows"
    . tools/wine_prefix.sh
fi
echo "long exchange: $VOREL_LONG_EXCHANGE_REQUESTS requests, seed $VOREL_LONG_EXCHANGE_SEED, $launcher"
VOREL_PROGRAMS="$programs" "$top/build/native/tests/partner_monitor/partner_monitor_long_exchange"
