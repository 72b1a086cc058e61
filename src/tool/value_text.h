#pragma once
// Display texts of stored values for korvan-tool's listings.

#include <string>

#include "model/presets.h"

namespace korvan::tool {

// The text the editor shows for value of control (modix, mcix), read with the settings the
// image carries (temperature, correction, delay unit); empty when the control has no text.
std::string ValueText(int modix, int mcix, int value, const ParameterImage& image);

// A name field or a name as UTF-8 (the bytes are taken as Latin-1), and back; false when a
// character is beyond U+00FF or the text is not UTF-8.
std::string Latin1ToUtf8(const std::string& bytes);
bool Utf8ToLatin1(const std::string& text, std::string& bytes);

}  // namespace korvan::tool
