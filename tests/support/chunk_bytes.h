#pragma once
// Byte images typed out field by field, for reader tests that must not lean on the writers.

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string_view>
#include <vector>

#include "model/model.h"

namespace korvan::test {

class Bytes {
 public:
  Bytes& U8(uint8_t v) {
    data.push_back(v);
    return *this;
  }
  Bytes& U16(uint16_t v) { return U8(v & 0xFF).U8(v >> 8); }
  Bytes& U32(uint32_t v) { return U16(v & 0xFFFF).U16(v >> 16); }
  Bytes& Text(std::string_view s) {
    for (char c : s) U8(static_cast<uint8_t>(c));
    return *this;
  }
  // A 10-byte name field: the characters, then zero bytes.
  Bytes& Name(std::string_view s) {
    Text(s);
    for (size_t i = s.size(); i < 10; ++i) U8(0);
    return *this;
  }
  Bytes& Words(const std::vector<uint16_t>& words) {
    for (uint16_t w : words) U16(w);
    return *this;
  }
  Bytes& Inverted(std::string_view tag) {
    for (char c : tag) U8(static_cast<uint8_t>(~static_cast<uint8_t>(c)));
    return *this;
  }
  Bytes& Add(const Bytes& other) {
    data.insert(data.end(), other.data.begin(), other.data.end());
    return *this;
  }
  size_t size() const { return data.size(); }

  std::vector<uint8_t> data;
};

// tag, revision, version, body size, body, inverted tag.
inline Bytes Chunk(std::string_view tag, const Bytes& body, uint16_t version = 0x0110,
                   uint16_t revision = 1, std::optional<uint32_t> declared = std::nullopt) {
  Bytes b;
  b.Text(tag).U16(revision).U16(version).U32(declared ? *declared
                                                      : static_cast<uint32_t>(body.size()));
  b.Add(body);
  b.Inverted(tag);
  return b;
}

// The image of a model at its catalogue defaults, put together control by control: mode word,
// stored controls in mcix order, twelve reserved words, the four default input names.
inline std::vector<uint16_t> DefaultImage(const Model& model) {
  std::vector<uint16_t> w = {1};
  for (int m = 0; m < kModuleCount; ++m)
    for (const MCtrl& c : model.Module(m).controls)
      if (c.Stored()) w.push_back(static_cast<uint16_t>(c.defaultValue));
  for (int m = 0; m < kModuleCount; ++m) w.push_back(0);
  for (std::string_view name : {"INPUT A ", "INPUT B ", "INPUT C ", "SUM     "}) {
    for (char c : name) w.push_back(static_cast<uint16_t>(c));
    w.push_back(0);
    w.push_back(0);
  }
  return w;
}

// Word index of a stored control in an image.
inline int WordOf(const Model& model, int modix, int mcix) {
  int word = 1;
  for (int m = 0; m < kModuleCount; ++m)
    for (const MCtrl& c : model.Module(m).controls)
      if (c.Stored()) {
        if (m == modix && c.mcix == mcix) return word;
        ++word;
      }
  return -1;
}

}  // namespace korvan::test
