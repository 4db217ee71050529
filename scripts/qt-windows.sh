# Unpacks the Qt for Windows into build/ once (never into the repository) and sets qt_windows
# to it. Sourced by the scripts that build for Windows.
qt_archivo="${BRELO_QT_MINGW:-$raiz/../shared/qt6-mingw/qt6-mingw-6.4.2.tar.xz}"
qt_windows="$raiz/build/qt6-mingw"
if [ ! -f "$qt_windows/lib/cmake/Qt6/Qt6Config.cmake" ]; then
    if [ ! -f "$qt_archivo" ]; then
        echo "ERROR: falta Qt para Windows ($qt_archivo): no se puede compilar ni probar" \
             "la version de Windows. Indique otro archivo con BRELO_QT_MINGW." >&2
        exit 1
    fi
    mkdir -p "$raiz/build"
    tar -xf "$qt_archivo" -C "$raiz/build"
fi
