#include "tool/value_text.h"

#include "model/control_ids.h"
#include "model/control_text.h"
#include "model/model.h"

namespace korvan::tool {

namespace {
// Word of setup control mcix in an image.
int SetupWord(int mcix) {
  static const Model model;
  int word = 1;
  for (const MCtrl& c : model.Module(kSetupModix).controls) {
    if (c.mcix == mcix) return word;
    if (c.Stored()) ++word;
  }
  return 0;
}
}  // namespace

std::string ValueText(int modix, int mcix, int value, const ParameterImage& image, int delayUnit) {
  static const int correctionWord = SetupWord(mc::TempCorrection);
  static const int temperatureWord = SetupWord(mc::Temperature);
  TextContext context;
  context.delayUnit = delayUnit != 0 ? 1 : 0;
  if (static_cast<int>(image.size()) > temperatureWord)
    context.delays = DelayScales(DelayDisplay::Time,
                                 TimeStepSizes(image[correctionWord] != 0, image[temperatureWord]));
  return ControlValueText(modix, mcix, value, context);
}

std::string Latin1ToUtf8(const std::string& bytes) {
  std::string out;
  for (unsigned char c : bytes) {
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

bool Utf8ToLatin1(const std::string& text, std::string& bytes) {
  bytes.clear();
  for (size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c < 0x80) {
      bytes += static_cast<char>(c);
    } else if ((c == 0xC2 || c == 0xC3) && i + 1 < text.size() &&
               (static_cast<unsigned char>(text[i + 1]) & 0xC0) == 0x80) {
      bytes +=
          static_cast<char>(((c & 0x03) << 6) | (static_cast<unsigned char>(text[i + 1]) & 0x3F));
      ++i;
    } else {
      return false;
    }
  }
  return true;
}

}  // namespace korvan::tool
