#!/usr/bin/env bash
# End to end: the real brelo under Xvfb, driven as an operator would, with keystrokes through
# the menus and the real file dialogs. Each step leaves a screenshot in the artifact folder.
#   e2e.sh BRELO ARTEFACTOS      (run inside xvfb-run)
set -euo pipefail
brelo="$1"
artefactos="$2"
rm -rf "$artefactos" && mkdir -p "$artefactos"
trabajo="$(mktemp -d)"
export HOME="$trabajo/casa" XDG_CONFIG_HOME="$trabajo/casa/.config" ASAN_OPTIONS=detect_leaks=0
mkdir -p "$HOME"
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$trabajo"' EXIT
fallas=0
paso=0
# A step that cannot go on says where, and leaves the screen as it was.
trap 'echo "FAIL!  : paso detenido en la linea $LINENO"; foto detenido' ERR

foto() {
    paso=$((paso + 1))
    import -window root "$artefactos/$(printf %02d "$paso")-$1.png"
}
teclas() { xdotool key --delay 120 "$@"; }
ventana() { timeout 60 xdotool search --sync --onlyvisible --name "$1" | head -1; }
enfocar() { xdotool windowfocus --sync "$(ventana "$1")"; }
# A visible window of that title other than $2 (a question that borrows a dialog's title).
otra_ventana() {
    for _ in $(seq 600); do
        for id in $(xdotool search --onlyvisible --name "$1" 2>/dev/null); do
            [ "$id" != "$2" ] && { echo "$id"; return 0; }
        done
        sleep 0.1
    done
    return 1
}
# A menu item of "&Archivo" by its place: opened from the unambiguous "&Opciones". Without a
# window manager a closed dialog leaves no window active, so the main one is focused first.
archivo() {
    enfocar "Norvane - Brelo"
    teclas alt+o Left
    for _ in $(seq 2 "$1"); do teclas Down; done
    teclas Return
}
esperar_archivo() { # until the file holds at least $2 bytes
    for _ in $(seq 600); do
        [ -f "$1" ] && [ "$(stat -c %s "$1")" -ge "$2" ] && return 0
        sleep 0.1
    done
    return 1
}
esperar_cierre() { # until no visible window has this title
    for _ in $(seq 600); do
        xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 || return 0
        sleep 0.1
    done
    return 1
}
esperar_fin() {
    for _ in $(seq 600); do kill -0 "$1" 2>/dev/null || return 0; sleep 0.1; done
    return 1
}
comparar() { # nombre esperado(hex) archivo
    local obtenido
    obtenido="$(xxd -p "$3" | tr -d '\n')"
    if [ "$obtenido" = "$2" ]; then
        echo "PASS   : $1"
    else
        echo "FAIL!  : $1: esperado $2, obtenido $obtenido"
        fallas=$((fallas + 1))
    fi
}
arrancar() {
    "$brelo" &
    pid=$!
    # A clean settings folder names a port this machine may not have: its error comes first.
    primera="$(ventana "Puerto Serie|Norvane - Brelo")"
    if [ "$(xdotool getwindowname "$primera")" = "Puerto Serie" ]; then
        foto "error-puerto"
        xdotool windowfocus --sync "$primera" && teclas Return
    fi
    enfocar "Norvane - Brelo"
}

# --- 1: compose, save as, close, open again, write to file, exit -------------------------
arrancar
archivo 1 # Nuevo
xdotool type --delay 60 "HOLA"
foto "pagina-1"
teclas Next # next page: it asks for a new one
enfocar "Nueva Pagina"
teclas Return # Yes
enfocar "Norvane - Brelo"
teclas Tab l # the entry-effect list: "LLuvia   [16]"
teclas shift+Tab
xdotool type --delay 60 "MUNDO"
foto "pagina-2"
archivo 6 # Grabar Mensaje como ...
dialogo="$(ventana "Guardar como|Save As")"
xdotool windowfocus --sync "$dialogo"
xdotool type --delay 30 "$trabajo/ofertas.mn2"
teclas Return
xdotool windowfocus --sync "$(otra_ventana "Guardar como|Save As" "$dialogo")"
foto "crear"
teclas Return # create the new file: Yes
esperar_archivo "$trabajo/ofertas.mn2" 30
foto "grabado"
archivo 3 # Cerrar Mensaje Actual
foto "cerrado"
archivo 2 # Abrir Mensaje ...
enfocar "^Abrir|^Open"
xdotool type --delay 30 "$trabajo/ofertas.mn2"
teclas Return
foto "abierto"
archivo 8 # Escribir Mensaje en Archivo
enfocar "Salida Archivo"
teclas Return # Crear
esperar_archivo "$trabajo/Salida.txt" 35
foto "salida"
esperar_cierre "Salida Archivo"
archivo 9 # Salir
esperar_fin "$pid" || { echo "FAIL!  : el programa no termino"; fallas=$((fallas + 1)); }
comparar "mensaje grabado" \
    "$(printf '0,0,0,"HOLA",0\r\n3,0,0,"MUNDO",0\r\n' | xxd -p | tr -d '\n')" \
    "$trabajo/ofertas.mn2"
comparar "Salida.txt" \
    "22572d4e5439df90484f4c41914d554e444f2020202020202020202020c10101220d0a" \
    "$trabajo/Salida.txt"

# --- 2: the port set in the options dialog, a message sent to it ------------------------
socat pty,raw,echo=0,link="$trabajo/programa" pty,raw,echo=0,link="$trabajo/cartel" &
for _ in $(seq 50); do [ -e "$trabajo/cartel" ] && break; sleep 0.1; done
cat "$trabajo/cartel" >"$trabajo/recibido" &
arrancar
teclas alt+o Return # Puerto de Comunicacion
enfocar "Opciones de Programa"
teclas ctrl+a
xdotool type --delay 30 "$trabajo/programa"
foto "opciones"
teclas Return # Aceptar
archivo 1
xdotool type --delay 60 "HOLA"
archivo 7 # Enviar Mensaje al Cartel
enfocar "Envio de Mensaje"
teclas Return # Enviar
esperar_archivo "$trabajo/recibido" 13
foto "enviado"
esperar_cierre "Envio de Mensaje"
archivo 9
enfocar "Grabar"
foto "pregunta"
teclas alt+n # do not save
esperar_fin "$pid" || { foto "sin-terminar"; echo "FAIL!  : el programa no termino"; fallas=$((fallas + 1)); }
comparar "bytes en el cartel" "572d4e5439df90484f4c410101" "$trabajo/recibido"

echo "$(( (3 - fallas) )) passed, $fallas failed"
[ "$fallas" -eq 0 ]
