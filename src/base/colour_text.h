#pragma once
// Colours as the settings files write them: 0x00BBGGRR values, by name when they have
// one ("clNavy"), otherwise "$" and eight hexadecimal digits.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qm {

using TColor = std::uint32_t;  // 0x00BBGGRR: red in the lowest byte

// "clWhite", or "$00A6CAF1" for a colour without a name.
std::string ColorToText(TColor color);

// Accepts the colour names, the system-colour names beginning with "cl" (as their
// usual light-theme colours), "$" hexadecimal, "0x" hexadecimal and decimal values.
// Letter case of names and digits does not matter. nullopt for anything else.
std::optional<TColor> TextToColor(std::string_view text);

// Red, green and blue of a colour.
inline int ColorRed(TColor c) { return static_cast<int>(c & 0xFF); }
inline int ColorGreen(TColor c) { return static_cast<int>((c >> 8) & 0xFF); }
inline int ColorBlue(TColor c) { return static_cast<int>((c >> 16) & 0xFF); }

}  // namespace qm
