#!/usr/bin/env bash
# The virtual sign against the fastest sender there is: brelo-cli enviar with no pauses at all
# (faster than 115200 baud) over a pseudo-terminal pair, a full memory of 8,002 bytes. Prints
# whether every byte arrived and how long it took; asserts nothing.
#   bench_cartel.sh BRELO_CLI
set -euo pipefail
cli="$(realpath "$1")" t="$(mktemp -d)"
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$t"' EXIT
cd "$t"
python3 -c 'import sys; sys.stdout.write("".join("0,0,0,\"%s\",0\r\n" % (chr(65 + i % 26) * 200) for i in range(99)))' >lleno.mn2
"$cli" trama lleno.mn2 >esperado.bin
socat pty,raw,echo=0,link="$t/a" pty,raw,echo=0,link="$t/b" &
while [ ! -e "$t/b" ]; do sleep 0.1; done
mkdir recibidos
"$cli" cartel --escuchar "$t/b" --guardar recibidos >cartel.txt 2>&1 &
sleep 1
inicio=$(date +%s%N)
"$cli" enviar lleno.mn2 --puerto "$t/a" --baud 115200 --dy1 0 --dy2 0 >/dev/null 2>&1
while [ ! -e recibidos/envio-001.bin ]; do sleep 0.05; done
fin=$(date +%s%N)
kill %2
if cmp -s esperado.bin recibidos/envio-001.bin; then bien=todos; else bien="NO todos"; fi
echo "cartel virtual: $(stat -c %s recibidos/envio-001.bin) de $(stat -c %s esperado.bin) bytes" \
     "($bien iguales) en $(((fin - inicio) / 1000000)) ms sin pausas (a 115200 baudios serian" \
     "$((8002 * 10 * 1000 / 115200)) ms)"
