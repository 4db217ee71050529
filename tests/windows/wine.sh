#!/usr/bin/env bash
# The Windows build under wine: its QtTest programs, and brelo-cli.exe against the Linux
# brelo-cli (the same bytes for the same messages), over a COM port and a TCP adapter, and with
# the port names an operator types; brelo.exe sends on the COM port, and its window is left in
# CARPETA_WINDOWS/../windows.png.
#   wine.sh CARPETA_WINDOWS BRELO_CLI_LINUX      (run inside xvfb-run)
set -euo pipefail
win="$(cd "$1" && pwd)" linux="$(realpath "$2")" raiz="$(cd "$(dirname "$0")/../.." && pwd)"
t="$(mktemp -d)" fallas=0
export WINEPREFIX="$win/../wine" WINEDEBUG=-all WINEPATH="$win/../qt6-mingw/bin"
trap 'kill $(jobs -p) 2>/dev/null || true; wineserver -k 2>/dev/null || true; rm -rf "$t"' EXIT

bien() { echo "PASS   : $1"; }
mal() { echo "FAIL!  : $1"; fallas=$((fallas + 1)); }
comprobar() { if eval "$2"; then bien "$1"; else mal "$1"; fi; }
hasta() { for _ in $(seq 300); do eval "$1" && return 0; sleep 0.1; done; return 1; }
cli() { wine "$win/brelo-cli.exe" "$@"; }
enviar() { # PUERTO DY2, the example message to an adapter on the loopback
    cli enviar ejemplo.mn2 --puerto "tcp://127.0.0.1:$1" --dy1 2 --dy2 "$2" >"$t/salida" 2>&1
}
libre() { # a free TCP port of the loopback
    python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])'
}

# A new prefix takes a while to set up; it is kept under build/ between runs.
[ -f "$WINEPREFIX/system.reg" ] || wineboot -i >/dev/null 2>&1
# One server for every run below: without it each wine run would start the whole session
# again (Debian's wineserver lingers 0 s), seconds each. A server still up from the set-up
# would keep a new one from starting, so it goes first.
wineserver -k 2>/dev/null || true
wineserver -w 2>/dev/null || true
wineserver -p >/dev/null 2>&1

# COM7 of the prefix is a pseudo-terminal; what reaches its far end lands in recibido.
socat -u pty,raw,echo=0,link="$t/com7" OPEN:"$t/recibido",creat,trunc &
hasta "[ -e $t/com7 ]"
sleep 1000000 <>"$t/com7" & # keeps the line up between the tests' openings
ln -sfn "$(readlink "$t/com7")" "$WINEPREFIX/dosdevices/com7"
# COM8 opens but is no serial port.
ln -sfn /dev/null "$WINEPREFIX/dosdevices/com8"

# Wine drops QT_QPA_PLATFORM from the environment: the window tests are told on the command line.
for prueba in "tst_protocolo" "tst_dialogos -platform offscreen" "tst_windows"; do
    read -r -a orden <<<"$prueba"
    if BRELO_COM=COM7 BRELO_COM_NULO=COM8 BRELO_RECIBIDO="Z:$t/recibido" \
        wine "$win/${orden[0]}.exe" "${orden[@]:1}" -o "$t/${orden[0]}.txt,txt"; then
        bien "${orden[0]} ($(grep -c '^PASS' "$t/${orden[0]}.txt") casos)"
    else
        grep -v '^PASS\|^QDEBUG' "$t/${orden[0]}.txt" || true
        mal "${orden[0]}"
    fi
done

# The same bytes as on Linux: the corpus, and messages of random effects, pauses,
# alignments, exit effects and texts (Spanish letters in UTF-8 among them).
cp "$raiz"/fuzz/corpus/archivo/* "$t"
mensajes=(ejemplo.mn2 especiales.mn2 version1.mnm)
letras=(A b Z 9 ' ' '!' '#' '.' 'ñ' 'Ñ' 'á' 'í' '¿' '°' '«' '@' '_' '~' '|' 'ü')
for n in $(seq 30); do
    m="gen$n.mn2"
    for _ in $(seq $((RANDOM % 12 + 1))); do
        texto=""
        for _ in $(seq $((RANDOM % 40))); do texto+="${letras[RANDOM % ${#letras[@]}]}"; done
        printf '%d,%d,%d,"%s",%d\r\n' $((RANDOM % 17)) $((RANDOM % 11)) $((RANDOM % 3)) \
            "$texto" $((RANDOM % 10)) >>"$t/$m"
    done
    mensajes+=("$m")
done
mensajes+=("no existe ñ.mn2") # a message in UTF-8 on standard error
distintos=0
for m in "${mensajes[@]}"; do
    for orden in trama revisar info; do
        a="$(cd "$t" && "$linux" "$orden" "$m" 2>"$t/error"; echo "$?")$(xxd -p "$t/error")"
        b="$(cd "$t" && cli "$orden" "$m" 2>"$t/error"; echo "$?")$(xxd -p "$t/error")"
        [ "$a" = "$b" ] || { distintos=$((distintos + 1)) && echo "  distinto: $orden $m"; }
    done
done
comprobar "trama, revisar e info como en Linux (${#mensajes[@]} mensajes, salida y errores)" \
    "[ $distintos = 0 ]"

# A read-only file is refused in Spanish, as the system's own refusals are.
printf 'HOLA\r\n' >"$t/t.txt" && printf 'x' >"$t/ro.mn2" && chmod 444 "$t/ro.mn2"
(cd "$t" && cli importar t.txt ro.mn2) >"$t/salida" 2>&1 && estado=0 || estado=$?
comprobar "archivo de solo lectura: permiso denegado" \
    "[ $estado = 1 ] && grep -q 'ro.mn2: permiso denegado' $t/salida && [ \"\$(cat $t/ro.mn2)\" = x ]"

# The serial path: COM7 set up as asked (read back on the far end), paced, waited out,
# complete; then cancelled with Ctrl-C, the terminator still sent.
cd "$t"
esperado="$("$linux" trama ejemplo.mn2 | xxd -p)"
llegado() { tail -c +$(($1 + 1)) "$t/recibido" | xxd -p | tr -d '\n'; } # since byte $1
antes=$(stat -c %s "$t/recibido") inicio=$(date +%s%N)
cli enviar ejemplo.mn2 --puerto com7 --baud 2400 --dy1 2 --dy2 20 >"$t/salida" 2>&1 &&
    estado=0 || estado=$?
ms=$((($(date +%s%N) - inicio) / 1000000))
stty -F "$t/com7" -a >"$t/linea"
comprobar "enviar por COM7: completo, en orden y sin prisa (${ms} ms)" \
    "[ $estado = 0 ] && grep -q 'Mensaje enviado OK!' $t/salida && hasta '[ \"\$(llegado $antes)\" = $(tr -d '\n' <<<"$esperado") ]' && [ $ms -ge $((5 * 2 + 40 * 20)) ]"
comprobar "COM7 a 2400 baudios, 8N1, sin control de flujo" \
    "grep -q 'speed 2400 baud' $t/linea && grep -qw -- cs8 $t/linea && grep -qw -- -parenb $t/linea && grep -qw -- -cstopb $t/linea && grep -qw -- -crtscts $t/linea && grep -qw -- -ixon $t/linea && grep -qw -- -ixoff $t/linea"
antes=$(stat -c %s "$t/recibido")
cli enviar ejemplo.mn2 --puerto COM7 --dy1 2 --dy2 150 >"$t/salida" 2>&1 &
envio=$!
hasta "[ \$(stat -c %s $t/recibido) -ge $((antes + 12)) ]"
pkill -INT -f 'brelo-cli.exe enviar'
wait $envio && estado=0 || estado=$?
comprobar "Ctrl-C por COM7: fin de mensaje y resultado 130" \
    "[ $estado = 130 ] && hasta '[ \"\$(llegado $antes | tail -c 4)\" = 0101 ]' && grep -q 'Cancelado' $t/salida"

# The window's Enviar on COM7, driven with keys: Archivo > Enviar Mensaje al Cartel, Enviar.
# Qt's own font engine draws the fields under wine, whose system fonts leave them empty.
wine reg add 'HKCU\Software\Brelo2\Brelo2\COM' /v Port /d COM7 /f >/dev/null
antes=$(stat -c %s "$t/recibido")
wine "$win/brelo.exe" -platform windows:fontengine=freetype "$t/ejemplo.mn2" &
ventana=$!
# The first window of a new prefix waits for wine to gather its fonts.
principal="$(timeout 300 xdotool search --sync --onlyvisible --name 'Norvane - Brelo' | head -1)"
# A window just shown under wine may lose the first keys: the menu is asked for until the
# dialog comes.
for _ in $(seq 6); do
    xdotool windowfocus --sync "$principal"
    xdotool key --delay 150 alt+e Left Down Down Down Down Down Down Return
    envio="$(timeout 10 xdotool search --sync --onlyvisible --name 'Envio de Mensaje' | head -1)" && break
    xdotool key Escape Escape
done
xdotool windowfocus --sync "$envio" && xdotool key Return
comprobar "Enviar de la ventana por COM7" \
    "hasta '[ \"\$(llegado $antes)\" = $(tr -d '\n' <<<"$esperado") ]'"
hasta '! xdotool search --onlyvisible --name "Envio de Mensaje" >/dev/null' &&
    import -window "$principal" "$win/../windows.png"
kill $ventana

# A paced transfer to an adapter on the loopback: complete, in order, acknowledged.
puerto="$(libre)"
socat -u TCP-LISTEN:"$puerto",bind=127.0.0.1,reuseaddr,fork OPEN:"$t/tcp",creat,append &
hasta "ss -ltn | grep -q :$puerto"
enviar "$puerto" 2 && estado=0 || estado=$?
comprobar "enviar por TCP: completo y en orden" \
    "[ $estado = 0 ] && grep -q 'Mensaje enviado OK!' $t/salida && [ \"\$(xxd -p $t/tcp)\" = '$esperado' ]"

# Ctrl-C in the middle: the terminator still goes, exit 130.
: >"$t/tcp"
enviar "$puerto" 150 &
envio=$!
hasta "[ \$(stat -c %s $t/tcp) -ge 12 ]"
pkill -INT -f 'brelo-cli.exe enviar'
wait $envio && estado=0 || estado=$?
comprobar "Ctrl-C: fin de mensaje y resultado 130" \
    "[ $estado = 130 ] && [ \"\$(tail -c2 $t/tcp | xxd -p)\" = 0101 ] && grep -q 'Cancelado' $t/salida"

# An adapter that goes away after 10 bytes: a failure, never "enviado OK".
puerto="$(libre)"
socat -u TCP-LISTEN:"$puerto",bind=127.0.0.1,reuseaddr,fork SYSTEM:"head -c 10 >/dev/null" &
hasta "ss -ltn | grep -q :$puerto"
enviar "$puerto" 20 && estado=0 || estado=$?
comprobar "adaptador que se va: Error #22" \
    "[ $estado = 1 ] && grep -q 'Error #22' $t/salida && ! grep -q 'enviado OK' $t/salida"

# Port names as an operator types them.
for caso in 'com12|COM12: no existe' '\\.\COM12|COM12: no existe' '12|COM12: no existe' \
    'COM3:|puerto no valido: COM3:' 'COM0|puerto no valido: COM0' \
    '\\.\PhysicalDrive0|puerto no valido' '/dev/ttyUSB0|puerto no valido'; do
    cli hora --puerto "${caso%%|*}" >"$t/salida" 2>&1 && estado=0 || estado=$?
    comprobar "--puerto ${caso%%|*}" "[ $estado = 1 ] && grep -qF 'Error #03' $t/salida && grep -qF '${caso#*|}' $t/salida"
done

[ $fallas = 0 ] && echo "Windows (wine): todo bien" || echo "Windows (wine): $fallas fallas"
exit $((fallas > 0))
