#!/usr/bin/env bash
# Pacing of brelo-cli.exe under wine against brelo-cli on Linux, in one run: each sends a
# 1000-byte message to a listener on the loopback that timestamps every byte as it arrives.
# Prints, for each: pauses shorter than configured, the median overshoot per byte, first to
# last byte against the configured pauses, and the CPU the sender used while sending.
# Figures only, nothing asserted.
#   bench_windows.sh BRELO_CLI_LINUX BRELO_CLI_EXE      (after ./scripts/windows)
set -euo pipefail
linux="$(realpath "$1")" exe="$(realpath "$2")" t="$(mktemp -d)"
export WINEPREFIX="$(dirname "$exe")/../wine" WINEDEBUG=-all WINEPATH="$(dirname "$exe")/../qt6-mingw/bin"
trap 'rm -rf "$t"' EXIT
dy1=5 dy2=5
python3 -c 'import sys; sys.stdout.write("0,1,0,\"" + "x" * 900 + "\",0\r\n")' >"$t/m.mn2"
cd "$t"
medir() { # NAME COMMAND...
    local nombre="$1" && shift
    python3 - "$nombre" "$dy1" "$dy2" "$@" <<'PY'
import os, socket, statistics, subprocess, sys, time
nombre, dy1, dy2, orden = sys.argv[1], float(sys.argv[2]), float(sys.argv[3]), sys.argv[4:]
l = socket.socket(); l.bind(("127.0.0.1", 0)); l.listen(4)
p = subprocess.Popen(orden + ["--puerto", "tcp://127.0.0.1:%d" % l.getsockname()[1],
                     "--dy1", str(dy1), "--dy2", str(dy2)], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
l.accept()[0].close()  # the adapter's check
c, _ = l.accept()
tiempos, cpu = [], 0.0
def cpu_de(pid):
    try:
        campos = open("/proc/%d/stat" % pid).read().rsplit(")", 1)[1].split()
        return (int(campos[11]) + int(campos[12])) / os.sysconf("SC_CLK_TCK")
    except OSError:
        return None
inicio_cpu = cpu_de(p.pid) or 0.0
while True:
    b = c.recv(1)
    if not b: break
    tiempos.append(time.monotonic())
    cpu = cpu_de(p.pid) or cpu
p.wait()
n = len(tiempos)
pausas = [dy1] * 5 + [dy2] * (n - 6)
gaps = [(b - a) * 1000 for a, b in zip(tiempos, tiempos[1:])]
cortas = sum(1 for g, d in zip(gaps, pausas) if g < d - 0.05)
exceso = statistics.median(g - d for g, d in zip(gaps, pausas))
total = (tiempos[-1] - tiempos[0]) * 1000
print("%-28s %4d bytes, pausas cortas %d, exceso mediano %.3f ms, primero a ultimo %.0f ms"
      " (%.2f %% sobre %.0f ms), CPU %.1f %% de un nucleo"
      % (nombre, n, cortas, exceso, total, 100 * (total / sum(pausas) - 1), sum(pausas),
         100 * (cpu - inicio_cpu) * 1000 / total))
PY
}
echo "DY1 $dy1 ms, DY2 $dy2 ms, por TCP en el equipo (a short pause is one 0.05 ms below the configured)"
medir "Linux brelo-cli" "$linux" enviar m.mn2
medir "Windows brelo-cli.exe (wine)" wine "$exe" enviar m.mn2
