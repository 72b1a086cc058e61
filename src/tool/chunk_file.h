#pragma once
// A bank, set or program file as korvan-tool reads it: its bytes and what the chunk readers
// found in them, without touching a model.

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "transfer/chunk_format.h"

namespace korvan::tool {

struct ChunkFile {
  int kind = -1;  // 0 bank, 1 set, 2 program
  std::vector<uint8_t> bytes;
  BankRead bank;
  SetRead set;

  // The first chunk of a kind in a set, or null when the set has none.
  template <typename T>
  const T* First() const {
    for (const SetPart& p : set.parts)
      if (const T* x = std::get_if<T>(&p.body)) return x;
    return nullptr;
  }
  // The header of the first chunk with that tag (null when none).
  const ChunkHeader* FirstHeader(int chunkKind) const;
};

// Reads and checks a file; the kind comes from its name, or from its first tag when the name
// has none of the three extensions. On failure error says why.
std::optional<ChunkFile> ReadChunkFile(const std::string& path, int imageWords, std::string& error);

// The image of a set, or of bank slot `slot` (1..60; 0: the first used slot).
const ParameterImage* FileImage(const ChunkFile& f, int slot, std::string& error);

}  // namespace korvan::tool
