#!/usr/bin/env bash
# What an operator downloads: the ZIP holds the programs, their DLLs and plugins, the guide and
# the licences, and brelo-cli.exe runs from where it is unpacked with nothing else; the
# installer installs silently for the user, with a Start-menu entry, .mn2 files opening in
# Brelo, the agenda started at logon only when asked for, and an uninstaller.
#   paquete.sh ZIP INSTALADOR BRELO_CLI_LINUX
set -euo pipefail
zip="$(realpath "$1")" instalador="$(realpath "$2")" linux="$(realpath "$3")"
raiz="$(cd "$(dirname "$0")/../.." && pwd)" t="$(mktemp -d)" fallas=0
trap 'rm -rf "$t"' EXIT
# A prefix of its own, so the installation starts from nothing; nothing on any path but the
# unpacked folder.
export WINEPREFIX="$t/prefijo" WINEDEBUG=-all
unset WINEPATH

# The uninstaller runs on from a copy of itself once the one started has returned: its work
# is done when every program of the prefix has ended.
desinstalar() { wine "$1/desinstalar.exe" /S && wineserver -w; }
comprobar() { if eval "$2"; then echo "PASS   : $1"; else echo "FAIL!  : $1"; fallas=$((fallas + 1)); fi; }

carpeta="$(basename "$zip" .zip)"
unzip -Z1 "$zip" | sed "s|^$carpeta/||" | grep -v '/$' | sort >"$t/lista"
faltan=0
for f in brelo.exe brelo-cli.exe Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll Qt6Network.dll Qt6SerialPort.dll \
    Qt6Svg.dll libgcc_s_seh-1.dll libstdc++-6.dll libwinpthread-1.dll platforms/qwindows.dll \
    styles/qwindowsvistastyle.dll imageformats/qsvg.dll iconengines/qsvgicon.dll \
    guia/index.html LICENSE.txt LEAME.txt licencias/Qt-LGPL-3.0-only.txt; do
    grep -qx "$f" "$t/lista" || { echo "  falta $f" && faltan=$((faltan + 1)); }
done
comprobar "el ZIP lo tiene todo ($(wc -l <"$t/lista") archivos)" "[ $faltan = 0 ]"
comprobar "el ZIP pesa menos de 20 MB ($(($(stat -c %s "$zip") / 1048576)) MB)" \
    "[ $(stat -c %s "$zip") -lt 20000000 ]"

wineboot -i >/dev/null 2>&1
unzip -q "$zip" -d "$t"
cp "$raiz/fuzz/corpus/archivo/ejemplo.mn2" "$t/"
(cd "$t" && wine "$t/$carpeta/brelo-cli.exe" trama ejemplo.mn2 >"$t/windows") || true
comprobar "brelo-cli.exe desde la carpeta descomprimida" \
    "cmp -s $t/windows <(cd $t && $linux trama ejemplo.mn2)"
printf 'lun-vie 08:00 ejemplo.mn2\r\nsab,dom 09:30 ejemplo.mn2 3\r\ntodos 04:00 hora\r\n' >"$t/agenda.txt"
(cd "$t" && wine "$t/$carpeta/brelo-cli.exe" agenda agenda.txt --revisar | grep -v '^Cartel en ' >"$t/semana") || true
# Whether a device is there is each machine's own: a COM port is not looked for.
comprobar "la agenda revisada en Windows como en Linux" \
    "cmp -s $t/semana <(cd $t && HOME=$t $linux agenda agenda.txt --revisar | grep -v '^Cartel en ')"

wine "$instalador" /S
programas="$(find "$WINEPREFIX/drive_c/users" -path '*/AppData/Local/Programs/Brelo' | head -1)"
comprobar "instalado para el usuario" \
    "[ -f '$programas/brelo.exe' ] && [ -f '$programas/desinstalar.exe' ] && [ -f '$programas/platforms/qwindows.dll' ]"
comprobar "entrada en el menu Inicio" \
    "find '$WINEPREFIX/drive_c/users' -name 'Brelo.lnk' | grep -q 'Start Menu/Programs'"
comprobar "la agenda no empieza sola si no se pidio" \
    "! find '$WINEPREFIX/drive_c/users' -name 'Agenda de Brelo.lnk' | grep -q ."
wine reg query 'HKCU\Software\Classes\.mn2' /ve >"$t/tipo" 2>&1 || true
wine reg query 'HKCU\Software\Classes\Brelo.Mensaje\shell\open\command' /ve >"$t/orden" 2>&1 || true
wine reg query 'HKCU\Software\Classes\Brelo.Mensaje\DefaultIcon' /ve >"$t/icono" 2>&1 || true
comprobar ".mn2 abre con Brelo" \
    "grep -q 'Brelo.Mensaje' $t/tipo && grep -qi 'Programs.Brelo.brelo.exe\" \"%1\"' $t/orden && grep -qi 'brelo.exe,0' $t/icono"
comprobar "el acceso directo empieza en Documentos" \
    "find '$WINEPREFIX/drive_c/users' -name 'Brelo.lnk' -exec strings -el {} + | grep -qi 'Documents\$'"
wine reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Brelo' >"$t/entrada" 2>&1 || true
comprobar "entrada de desinstalacion con tamano, version y editor" \
    "grep -q 'EstimatedSize.*REG_DWORD.*0x[1-9a-f]' $t/entrada && grep -q 'DisplayVersion' $t/entrada && grep -q 'Publisher' $t/entrada"

# While brelo-cli.exe runs from the program's folder, the uninstaller does nothing.
wine "$programas/brelo-cli.exe" cartel --escuchar tcp://127.0.0.1:0 >"$t/cartel" 2>&1 &
cartel=$!
for _ in $(seq 300); do grep -q Escuchando "$t/cartel" && break; sleep 0.1; done
wine "$programas/desinstalar.exe" /S
for _ in $(seq 300); do [ -f "$programas/brelo.exe" ] && ! pgrep -f 'Au_.exe' >/dev/null && break; sleep 0.1; done
comprobar "con brelo-cli.exe abierto no se desinstala nada" \
    "[ -f '$programas/brelo.exe' ] && [ -f '$programas/desinstalar.exe' ] && [ -f '$programas/Qt6Core.dll' ]"
kill $cartel && wait $cartel 2>/dev/null || true

# The operator's files in the program's folder and in a folder of the installer's survive the
# uninstall; what the installer wrote goes, and its folders with it once they are empty.
printf '0,0,0,"MIO",0\r\n' >"$programas/mi oferta.mn2"
printf 'x' >"$programas/guia/notas.txt"
desinstalar "$programas"
wine reg query 'HKCU\Software\Classes\.mn2' /ve >/dev/null 2>&1 && quedo=1 || quedo=0
comprobar "desinstalado" "[ ! -f '$programas/brelo.exe' ] && [ $quedo = 0 ]"
comprobar "los archivos del operador siguen ahi" \
    "[ -f '$programas/mi oferta.mn2' ] && [ -f '$programas/guia/notas.txt' ] && [ \$(find '$programas' -type f | wc -l) = 2 ] && [ ! -d '$programas/platforms' ]"

# Installed into a folder of the operator's own, which is left as it was found.
propia="$WINEPREFIX/drive_c/Carteles"
mkdir -p "$propia" && printf 'x' >"$propia/lista.txt"
wine "$instalador" /S /AGENDA '/D=C:\Carteles'
comprobar "instalado en una carpeta propia" "[ -f '$propia/brelo.exe' ]"
inicio="$(find "$WINEPREFIX/drive_c/users" -ipath '*/Startup/Agenda de Brelo.lnk' | head -1)"
# The shortcut's show command (offset 60) 7: minimised, the window the operator is at keeps
# the keyboard.
comprobar "con /AGENDA, la agenda empieza al entrar, minimizada" \
    "[ -n '$inicio' ] && strings -el '$inicio' | grep -qx 'brelo-cli.exe' && strings -el '$inicio' | grep -q 'agenda \"C:.*Brelo2.agenda.txt\"' && [ \"\$(xxd -s 60 -l 1 -p '$inicio')\" = 07 ]"
desinstalar "$propia"
comprobar "al desinstalar, la agenda ya no empieza sola" "[ ! -e '$inicio' ]"
comprobar "la carpeta propia queda como estaba" \
    "[ \"\$(cd '$propia' && find . | sort | tr '\n' ' ')\" = '. ./lista.txt ' ]"
wine "$instalador" /S '/D=C:\Nueva'
desinstalar "$WINEPREFIX/drive_c/Nueva"
comprobar "una carpeta que solo era del programa se va" "[ ! -d '$WINEPREFIX/drive_c/Nueva' ]"
wineserver -k || true
exit $((fallas > 0))
