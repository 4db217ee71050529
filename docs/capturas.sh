#!/usr/bin/env bash
# Retakes the screenshots of the README and the operator's guide under Xvfb, with the port
# pointed at a pseudo-terminal so that no port error gets in the way.
set -euo pipefail
raiz="$(cd "$(dirname "$0")/.." && pwd)"
cmake --build "$raiz/build/run" --target capturas
tmp="$(mktemp -d)"
trap 'kill $(jobs -p) 2>/dev/null; rm -rf "$tmp"' EXIT
socat pty,raw,echo=0,link="$tmp/programa" pty,raw,echo=0,link="$tmp/cartel" &
while [ ! -e "$tmp/cartel" ]; do sleep 0.1; done
mkdir -p "$tmp/config/Brelo2"
printf '[COM]\nPort=%s\nBaud=9600\nRTS=False\n[PGM]\nDY1=200\nDY2=05\n' "$tmp/programa" \
    >"$tmp/config/Brelo2/Brelo2.conf"
XDG_CONFIG_HOME="$tmp/config" xvfb-run -a -s "-screen 0 1024x768x24" \
    "$raiz/build/run/tools/capturas" "$raiz/docs/guia/img"
cp "$raiz/docs/guia/img/principal.png" "$raiz/docs/captura.png"
