# Shared set-up of ./scripts/run and ./scripts/test: installs what is missing on a
# Debian or Ubuntu machine (the test tools only when $pruebas is 1), and gives configurar,
# which configures the build folder given as $1 with the cmake options that follow.
# Sourced, not run.

set -euo pipefail

raiz="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

# Building and running the program.
paquetes=(
    cmake ninja-build g++
    qt6-base-dev qt6-serialport-dev qt6-svg-dev qt6-qpa-plugins qt6-translations-l10n
    fonts-liberation
)
# The sanitizers, the fuzzers, the serial and end-to-end tests; a zone with daylight saving
# for the agenda.
if [ "${pruebas:-0}" = 1 ]; then
    paquetes+=(clang libclang-rt-dev socat xvfb xauth xdotool imagemagick xxd
               shared-mime-info desktop-file-utils tzdata)
fi
# The Windows build: its compiler, wine to run it, the installer and icon tools.
if [ "${windows:-0}" = 1 ]; then
    paquetes+=(g++-mingw-w64-x86-64-posix mingw-w64-tools wine wine64 nsis icoutils
               librsvg2-bin zip unzip socat xxd xvfb xauth xdotool imagemagick fonts-wine)
fi

instalar_faltantes() {
    local faltan=()
    for p in "${paquetes[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' ||
            faltan+=("$p")
    done
    [ ${#faltan[@]} -eq 0 ] && return 0
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    "${sudo[@]}" apt-get update -qq
    # Ubuntu names a few of these differently (compiler-rt ships with clang there): install
    # what this distribution has.
    local hay=()
    for p in "${faltan[@]}"; do
        apt-cache show "$p" >/dev/null 2>&1 && hay+=("$p")
    done
    echo "Instalando: ${hay[*]}"
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
        "${hay[@]}"
}

configurar() {
    local carpeta="$1"
    shift
    if [ ! -f "$carpeta/build.ninja" ]; then
        cmake -S "$raiz" -B "$carpeta" -G Ninja "$@"
    fi
}

instalar_faltantes
