#pragma once
// Display texts of stored values for korvan-tool's listings.

#include <string>

#include "model/presets.h"

namespace korvan::tool {

// The text the editor shows for value of control (modix, mcix): delays in time units with the
// temperature and correction the image carries, temperatures in delayUnit (setup control 20,
// which travels beside the image, not in it); empty when the control has no text.
std::string ValueText(int modix, int mcix, int value, const ParameterImage& image,
                      int delayUnit = 0);

// A name field or a name as UTF-8 (the bytes are taken as Latin-1), and back; false when a
// character is beyond U+00FF or the text is not UTF-8.
std::string Latin1ToUtf8(const std::string& bytes);
bool Utf8ToLatin1(const std::string& text, std::string& bytes);

}  // namespace korvan::tool
