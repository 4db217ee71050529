#pragma once

// The program's own texts, shared by the window, the dialogs and brelo-cli. They are
// exactly what operators have always seen; do not reword them.

namespace brelo::texto {

inline constexpr const char* ErrorArchivo = "Error en Archivo de Mensaje";
inline constexpr const char* Cargando = "Cargando Mensaje...";
inline constexpr const char* CargadoOk = "Mensaje cargado OK!";
inline constexpr const char* GrabadoOk = "Mensajes Grabado OK";
inline constexpr const char* NoGrabado = "NO se Grabo Archivo Mensajes";
inline constexpr const char* SinNombreGrabado = "No se Grabo Mensaje...";
inline constexpr const char* Importando = "Importando Mensaje...";
inline constexpr const char* ImportadoOk = "Mensaje importado OK!";
inline constexpr const char* NoHayMensaje = "NO hay mensaje!";
inline constexpr const char* NoSePudoLeer = "NO se pudo leer Archivo";
inline constexpr const char* SinNombre = "Sin Nombre";
inline constexpr const char* SoloLectura =
    "los archivos .mnm de la version anterior solo se leen; grabe el mensaje como .mn2";

inline constexpr const char* Error03 = "Error #03, No se pudo iniciar el Puerto Serie";
inline constexpr const char* Error21 = "Error #21, No Hay mensaje cargado";
inline constexpr const char* Error22 = "Error #22, No se envio el Mensaje";
inline constexpr const char* EnviadoOk = "Mensaje enviado OK!";
inline constexpr const char* Cancelado = "Mensaje Cancelado...";
inline constexpr const char* SalidaOk = "Archivo 'SALIDA.TXT' grabado OK!";
inline constexpr const char* NombreSalida = "Salida.txt";

// What a transfer is waiting for, in the send dialogs and brelo-cli.
inline constexpr const char* LineaDetenida = "la linea no acepta datos; se sigue esperando";
inline constexpr const char* Confirmando = "esperando que el adaptador confirme los datos...";

} // namespace brelo::texto
