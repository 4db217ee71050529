#pragma once

// The four fixed catalogs. Pages store list positions; captions are only shown, and their
// trailing blanks line them up in the fixed-pitch lists, so they must stay exactly as here.
// Captions are UTF-8 (they are display text); the special characters also carry the
// Windows-1252 code they put into a page.

#include <array>
#include <cstdint>
#include <string_view>

namespace brelo {

inline constexpr std::array<std::string_view, 20> EfectosEntrada = {
    "Rotacion",         "Estatico",      "Reset",          "LLuvia   [16]", "Enlazado [16]",
    "Vert Arr [16]",    "Vert Aba [16]", "Pers Arr [16]",  "Pers Aba [16]", "Shot     [16]",
    "Mirilla  [16]",    "Explosion[16]", "Hora  ",         "Fecha ",        "Parpadeo ON/OFF ",
    "Doble    ON/OFF ", "Velocidad Rot", "Autito rotando", "Avion rotando", "Pacman rotando",
};

inline constexpr std::array<std::string_view, 11> EfectosSalida = {
    "Ninguno       ",    "LLuvia Sale   ",    "Enlazado Sale ",    "Vert Sale Arriba ",
    "Vert Sale Abajo  ", "Pers Sale Arriba ", "Pers Sale Abajo  ", "Mirilla Sale  ",
    "Explosion Sale   ", "Parpadeo ON/OFF ",  "Doble    ON/OFF ",
};

inline constexpr std::array<std::string_view, 10> Pausas = {"0", "1", "2", "3", "4",
                                                            "5", "6", "7", "8", "9"};

struct CaracterEspecial {
    std::string_view titulo;
    std::uint8_t codigo;
};

inline constexpr std::array<CaracterEspecial, 19> CaracteresEspeciales = {{
    {"á", 225},         {"é", 233},      {"í", 237},      {"ó", 243},       {"ú", 250},
    {"ñ", 241},         {"Ñ", 209},      {"ü", 252},      {"¡", 161},       {"¿", 191},
    {"»", 187},         {"«", 171},      {"@", 64},       {"_", 95},        {"{-Guarda1", 123},
    {"|-Guarda2", 124}, {"}-Raya", 125}, {"~-Gris", 126}, {"¦-Negro", 166},
}};

constexpr bool EsCaracterEspecial(std::uint8_t codigo) {
    for (const CaracterEspecial& c : CaracteresEspeciales)
        if (c.codigo == codigo)
            return true;
    return false;
}

// Entry-effect indices named where the rules and the stream single them out.
namespace efecto {
inline constexpr std::uint8_t Rotacion = 0;
inline constexpr std::uint8_t Estatico = 1;
inline constexpr std::uint8_t Reset = 2;
inline constexpr std::uint8_t Hora = 12;
inline constexpr std::uint8_t Fecha = 13;
inline constexpr std::uint8_t Parpadeo = 14;
inline constexpr std::uint8_t Doble = 15;
inline constexpr std::uint8_t Velocidad = 16;
inline constexpr std::uint8_t Autito = 17;
inline constexpr std::uint8_t Avion = 18;
inline constexpr std::uint8_t Pacman = 19;
inline constexpr std::uint8_t Ultimo = 19;
} // namespace efecto

inline constexpr std::uint8_t UltimaSalida = 10;
inline constexpr std::uint8_t UltimaPausa = 9;

} // namespace brelo
