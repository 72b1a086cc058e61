#include "tool/chunk_file.h"

#include <fstream>
#include <iterator>

#include "transfer/file_kind.h"

namespace korvan::tool {

std::optional<ChunkFile> ReadChunkFile(const std::string& path, int words, std::string& error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = path + ": cannot be read";
    return std::nullopt;
  }
  ChunkFile f;
  f.bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  f.kind = FileKindOf(path);
  if (f.kind < 0 && f.bytes.size() >= 4) {
    const std::string tag(f.bytes.begin(), f.bytes.begin() + 4);
    if (tag == "XSNP") f.kind = kFileBank;
    if (tag == "XPCR") f.kind = kFileSet;
  }
  if (f.kind < 0) {
    error = path + ": not a bank (.kvn), set (.xpc) or program (.bin) file";
    return std::nullopt;
  }
  int code = 0;
  if (f.kind == kFileBank) {
    f.bank = ParseXsnp(f.bytes, 0, words, nullptr);
    code = f.bank.error;
  } else if (f.kind == kFileSet) {
    f.set = ParseXpcr(f.bytes, 0, words, nullptr);
    code = f.set.error;
  }
  if (code) {
    error = path + ": File has Illegal data";
    return std::nullopt;
  }
  return f;
}

const ChunkHeader* ChunkFile::FirstHeader(int chunkKind) const {
  for (const SetPart& p : set.parts)
    if (p.header.tag == TagWord(chunkKind)) return &p.header;
  return nullptr;
}

const ParameterImage* FileImage(const ChunkFile& f, int slot, std::string& error) {
  if (f.kind == kFileSet) {
    const XcurData* xcur = f.First<XcurData>();
    if (!xcur) error = "the set holds no current set (XCUR)";
    return xcur ? &xcur->image : nullptr;
  }
  if (f.kind != kFileBank) {
    error = "a program file holds no parameter image";
    return nullptr;
  }
  for (const BankSlot& s : f.bank.data.slots)
    if (slot == 0 || s.index == slot - 1) return &s.image;
  error = slot == 0 ? "the bank has no used slot" : "slot " + std::to_string(slot) + " is empty";
  return nullptr;
}

}  // namespace korvan::tool
