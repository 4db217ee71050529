#!/usr/bin/env bash
# End to end: the real brelo under Xvfb, driven with keystrokes through its menus and the real
# file dialog, through files and through a serial line. Screenshots go to $2.
#   e2e.sh BRELO ARTEFACTOS      (run inside xvfb-run)
set -euo pipefail
brelo="$1" artefactos="$2" t="$(mktemp -d)" fallas=0 paso=0
rm -rf "$artefactos" && mkdir -p "$artefactos" "$t/casa"
export HOME="$t/casa" XDG_CONFIG_HOME="$t/casa/.config" ASAN_OPTIONS=detect_leaks=0
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$t"' EXIT
trap 'echo "FAIL!  : detenido en la linea $LINENO"; foto detenido' ERR

foto() { paso=$((paso + 1)) && import -window root "$artefactos/$(printf %02d $paso)-$1.png"; }
teclas() { xdotool key --delay 120 "$@"; }
escribir() { xdotool type --delay 40 "$1"; }
ventanas() { xdotool search --onlyvisible --name "$1" 2>/dev/null; }
enfocar() { xdotool windowfocus --sync "$(timeout 60 xdotool search --sync --onlyvisible --name "$1" | head -1)"; }
hasta() { for _ in $(seq 600); do eval "$1" && return 0; sleep 0.1; done; return 1; }
# An item of "&Archivo" by its place, reached from the unambiguous "&Edicion" beside it.
archivo() { enfocar "Norvane - Brelo" && teclas alt+e Left $(for _ in $(seq 2 "$1"); do echo Down; done) Return; }
comparar() { # what, expected bytes in hex, file
    local x && x="$(xxd -p "$3" | tr -d '\n')"
    [ "$x" = "$2" ] && echo "PASS   : $1" || { echo "FAIL!  : $1: $x"; fallas=$((fallas + 1)); }
}

# --- two pages, save as, close, open again, write to file, send to the sign, exit ---
socat pty,raw,echo=0,link="$t/programa" pty,raw,echo=0,link="$t/cartel" &
hasta "[ -e $t/cartel ]" && { cat "$t/cartel" >"$t/recibido" & }
mkdir -p "$XDG_CONFIG_HOME/Brelo2" && printf '[COM]\nPort=%s\n' "$t/programa" >"$XDG_CONFIG_HOME/Brelo2/Brelo2.conf"
"$brelo" & pid=$!
archivo 1 && escribir "HOLA" && teclas Next # past the last page it asks for a new one
enfocar "Nueva Pagina" && teclas Return
enfocar "Norvane - Brelo" && teclas Tab l shift+Tab && escribir "MUNDO" # "LLuvia   [16]"
foto "paginas" && archivo 6 # Grabar Mensaje como ...
dialogo="$(timeout 60 xdotool search --sync --onlyvisible --name "Guardar como|Save As" | head -1)"
xdotool windowfocus --sync "$dialogo" && escribir "$t/ofertas.mn2" && teclas Return
# The question to create the file borrows the dialog's title.
hasta 'pregunta="$(ventanas "Guardar como|Save As" | grep -vx "$dialogo")"'
xdotool windowfocus --sync "$pregunta" && foto "crear" && teclas Return # Yes
hasta "[ -s $t/ofertas.mn2 ]" && archivo 3 && archivo 2 # close, then open
enfocar "^Abrir|^Open" && escribir "$t/ofertas.mn2" && teclas Return
archivo 8 && enfocar "Salida Archivo" && teclas Return # Crear
hasta "[ -s $t/Salida.txt ]" && foto "salida" && hasta '! ventanas "Salida Archivo"'
archivo 7 && enfocar "Envio de Mensaje" && teclas Return # Enviar
hasta "[ \$(stat -c %s $t/recibido) -ge 31 ]" && foto "enviado" && hasta '! ventanas "Envio de Mensaje"'
archivo 9 # Salir: nothing changed since the save
hasta "! kill -0 $pid 2>/dev/null" || { echo "FAIL!  : no termino"; fallas=$((fallas + 1)); }
trama="572d4e5439df90484f4c41914d554e444f2020202020202020202020c10101"
comparar "mensaje grabado" "$(printf '0,0,0,"HOLA",0\r\n3,0,0,"MUNDO",0\r\n' | xxd -p | tr -d '\n')" "$t/ofertas.mn2"
comparar "Salida.txt" "22${trama}220d0a" "$t/Salida.txt"
comparar "bytes en el cartel" "$trama" "$t/recibido"

# --- brelo FILE; a UTF-8 text imported; saved under a name typed without an extension ---
printf '0,0,0,"VIEJO",0\r\n' >"$t/inicio.mn2"
printf '\xc2\xa1Feliz A\xc3\xb1o, \xc3\x91and\xc3\xba! \xe2\x86\x92\n' >"$t/feliz.txt"
"$brelo" "$t/inicio.mn2" & pid=$!
archivo 4 && enfocar "^Abrir|^Open" && escribir "$t/feliz.txt" && teclas Return # Importar
foto "importado" && archivo 6
dialogo="$(timeout 60 xdotool search --sync --onlyvisible --name "Guardar como|Save As" | head -1)"
xdotool windowfocus --sync "$dialogo" && escribir "$t/feliz" && teclas Return
hasta 'pregunta="$(ventanas "Guardar como|Save As" | grep -vx "$dialogo")"'
xdotool windowfocus --sync "$pregunta" && teclas Return # Yes, create feliz.mn2
hasta "[ -s $t/feliz.mn2 ]" && archivo 9
hasta "! kill -0 $pid 2>/dev/null" || { echo "FAIL!  : no termino"; fallas=$((fallas + 1)); }
comparar "importado de UTF-8" "$(printf '0,0,0,"\xa1Feliz A\xf1o, \xd1and\xfa! #",0\r\n' | xxd -p | tr -d '\n')" "$t/feliz.mn2"

# --- a name with another dot, typed and confirmed with Enter, gets .mn2 ---
"$brelo" & pid=$!
archivo 1 && escribir "PUNTO" && archivo 6
dialogo="$(timeout 60 xdotool search --sync --onlyvisible --name "Guardar como|Save As" | head -1)"
xdotool windowfocus --sync "$dialogo" && escribir "$t/cartel.v2" && teclas Return
hasta 'pregunta="$(ventanas "Guardar como|Save As" | grep -vx "$dialogo")"'
xdotool windowfocus --sync "$pregunta" && foto "punto" && teclas Return # Yes, create it
hasta "[ -s $t/cartel.v2.mn2 ]" || true
comparar "nombre con punto e Intro" "$(printf '0,0,0,"PUNTO",0\r\n' | xxd -p | tr -d '\n')" "$t/cartel.v2.mn2"

# --- the session ends under an unsaved message; the next start offers it back ---
enfocar "Norvane - Brelo" && escribir " SIN GRABAR"
# Grabar como, cancelled: once its dialog is up, the program has taken every key before it.
archivo 6 && enfocar "Guardar como|Save As" && foto "sin-grabar" && teclas Escape
hasta '! ventanas "Guardar como|Save As"' && kill -TERM $pid
hasta "! kill -0 $pid 2>/dev/null" || { echo "FAIL!  : no termino con SIGTERM"; fallas=$((fallas + 1)); }
comparar "recuperacion junto a los ajustes" "$(printf '0,0,0,"PUNTO SIN GRABAR",0\r\n' | xxd -p | tr -d '\n')" "$XDG_CONFIG_HOME/Brelo2/recuperado.mn2"
"$brelo" & pid=$! # a logout while it asks: it ends, and the message waits for the next start
enfocar "^Recuperar" && kill -TERM $pid
hasta "! kill -0 $pid 2>/dev/null" || { echo "FAIL!  : no termino en la pregunta"; fallas=$((fallas + 1)); }
comparar "recuperacion conservada" "$(printf '0,0,0,"PUNTO SIN GRABAR",0\r\n' | xxd -p | tr -d '\n')" "$XDG_CONFIG_HOME/Brelo2/recuperado.mn2"
"$brelo" & pid=$!
enfocar "^Recuperar" && foto "recuperar" && teclas Return # Yes
archivo 9 && enfocar "^Grabar" && teclas Escape # Salir, No to saving
hasta "! kill -0 $pid 2>/dev/null" || { echo "FAIL!  : no termino"; fallas=$((fallas + 1)); }
[ ! -e "$XDG_CONFIG_HOME/Brelo2/recuperado.mn2" ] && echo "PASS   : recuperacion ofrecida una vez" ||
    { echo "FAIL!  : recuperacion sigue ahi"; fallas=$((fallas + 1)); }
comparar "el archivo del operador intacto" "$(printf '0,0,0,"PUNTO",0\r\n' | xxd -p | tr -d '\n')" "$t/cartel.v2.mn2"

# --- the list of pages: a row dragged with the mouse, a page duplicated and moved with keys ---
printf '0,0,0,"UNO",0\r\n0,0,0,"DOS",0\r\n0,0,0,"TRES",0\r\n' >"$t/lista.mn2"
"$brelo" "$t/lista.mn2" & pid=$!
enfocar "lista.mn2" && xdotool windowsize --sync "$(ventanas lista.mn2 | head -1)" 1100 700
# No window manager: the window stands at 0,0, its list's rows 14 pixels apart from y 118.
xdotool mousemove 880 118 mousedown 1
for y in 122 128 135 142 148 152; do xdotool mousemove 880 $y && sleep 0.1; done
xdotool mouseup 1 && foto "lista" # UNO below TRES
lista="$(printf '0,0,0,"DOS",0\r\n0,0,0,"UNO",0\r\n0,0,0,"TRES",0\r\n0,0,0,"UNO",0\r\n' | xxd -p | tr -d '\n')"
enfocar "lista.mn2" && teclas ctrl+d alt+Up alt+Up ctrl+s # the copy after UNO, taken up twice
hasta "[ \"\$(xxd -p $t/lista.mn2 | tr -d '\n')\" = $lista ]" || true
archivo 9
hasta "! kill -0 $pid 2>/dev/null" || { echo "FAIL!  : no termino"; fallas=$((fallas + 1)); }
comparar "lista de paginas" "$lista" "$t/lista.mn2"

echo "$((10 - fallas)) passed, $fallas failed"
[ "$fallas" -eq 0 ]
