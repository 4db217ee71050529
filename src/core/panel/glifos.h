#pragma once

// The panel's letters: 5 by 7 dots for every code the character filter can put in a page's
// text, drawn here for the panel. The sign's own dot matrix is not documented; these are an
// approximation that keeps every character distinct, Spanish letters and marks included.

#include <array>
#include <cstdint>

namespace brelo {

// Seven rows, top first; five bits a row, bit 4 the leftmost dot.
using Glifo = std::array<std::uint8_t, 7>;

// The letters, digits and signs from 0x20 to 0x7A, the Spanish glyphs 0x10 to 0x1B, and "@"
// and "_", which the sign has at 0x1E and 0x1F. Any other code, which no text can send, is
// drawn as "#", the filter's stand-in for what the sign cannot show.
const Glifo& GlifoCartel(std::uint8_t codigo);

} // namespace brelo
