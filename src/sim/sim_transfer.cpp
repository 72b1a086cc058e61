#include "sim/sim_transfer.h"

#include <iostream>
#include <optional>
#include <variant>

#include "link/sysex.h"
#include "transfer/block_stream.h"
#include "transfer/chunk_format.h"

namespace korvan::sim {
namespace {

constexpr size_t kDataBlockOverhead = 15;
constexpr size_t kXcurImageOffset = 16;  // number, bank, edited, locked, name

// Where the parameter image words of a set file's XCUR chunk start, or nothing when the bytes
// are not a sound set.
std::optional<size_t> CurrentImageOffset(const std::vector<uint8_t>& set, int imageWords) {
  const SetRead read = ParseXpcr(set, 0, imageWords, nullptr);
  if (read.error != 0) return std::nullopt;
  for (const SetPart& part : read.parts)
    if (std::holds_alternative<XcurData>(part.body))
      return part.header.BodyStart() + kXcurImageOffset;
  return std::nullopt;
}

std::vector<uint16_t> WordsAt(const std::vector<uint8_t>& bytes, size_t at, int n) {
  std::vector<uint16_t> words(static_cast<size_t>(n));
  for (size_t i = 0; i < words.size(); ++i)
    words[i] = static_cast<uint16_t>(bytes[at + 2 * i] | (bytes[at + 2 * i + 1] << 8));
  return words;
}

void LoadParams(UnitState* params, const std::vector<uint8_t>& set) {
  if (!params) return;
  const int n = params->ImageWords();
  if (auto at = CurrentImageOffset(set, n)) params->LoadImage(WordsAt(set, *at, n));
}

}  // namespace

bool SimTransfer::RefreshCurrent(State& s) {
  if (!s.params) return false;
  const int n = s.params->ImageWords();
  const auto at = CurrentImageOffset(s.memory.current, n);
  if (!at) return false;
  std::vector<uint16_t> words = WordsAt(s.memory.current, *at, n);
  s.params->StoreImage(words);
  bool changed = false;
  for (size_t i = 0; i < words.size(); ++i) {
    const uint8_t lo = static_cast<uint8_t>(words[i] & 0xFF),
                  hi = static_cast<uint8_t>(words[i] >> 8);
    uint8_t* b = &s.memory.current[*at + 2 * i];
    changed |= b[0] != lo || b[1] != hi;
    b[0] = lo;
    b[1] = hi;
  }
  s.currentUnsaved |= changed;
  return changed;
}

void SimTransfer::SaveChangedCurrentSets() {
  for (auto& [unit, s] : states_) {
    if (!RefreshCurrent(s) && !s.currentUnsaved) continue;
    s.currentUnsaved = false;
    std::string error;
    if (!s.memory.Save(stateDir_, s.number, 4, error)) std::cerr << "korvan-sim: " << error << '\n';
  }
}

void SimTransfer::AddUnit(const SimUnit& unit, UnitState* params) {
  State s;
  s.number = unit.deviceNumber + 1;
  s.params = params;
  s.memory = UnitMemory::Defaults();
  s.memory.Load(stateDir_, s.number, faults_.noCard);
  LoadParams(params, s.memory.current);
  states_[&unit] = std::move(s);
}

UnitMemory* SimTransfer::MemoryOf(const SimUnit& unit) {
  auto it = states_.find(&unit);
  return it == states_.end() ? nullptr : &it->second.memory;
}

bool SimTransfer::OnFrame(const SimUnit& unit, std::span<const uint8_t> frame) {
  auto it = states_.find(&unit);
  if (it == states_.end() || frame.size() < 9) return false;
  State& s = it->second;
  switch (frame[kCommandOffset]) {
    case SYSEX_BLOCK_REQUEST:
      OnBlockRequest(unit, s, frame);
      return true;
    case SYSEX_FILE_REQUEST:
      OnFileRequest(unit, s, frame);
      return true;
    case SYSEX_FILE_ANNOUNCE:
      OnFileAnnounce(unit, s, frame);
      return true;
    case SYSEX_DATA_BLOCK:
      OnDataBlock(unit, s, frame);
      return true;
    default:
      return false;
  }
}

void SimTransfer::Serve(const SimUnit& unit, const std::vector<uint8_t>& image, int kind,
                        int block) {
  if (image.empty() || block < 0 || block >= static_cast<int>(BlockCount(image.size()))) return;
  if (faults_.stopAfterBlock >= 0 && block > faults_.stopAfterBlock) return;
  if (block == faults_.dropBlock) {
    faults_.dropBlock = -1;
    return;
  }
  std::vector<uint8_t> f =
      DataBlockFrame(image, kind, DeviceByte(unit.deviceNumber), static_cast<unsigned>(block));
  if (block == faults_.badChecksum) {
    faults_.badChecksum = -1;
    f[f.size() - 2] ^= 0x01;
  }
  line_.Send(f);
}

void SimTransfer::OnBlockRequest(const SimUnit& unit, State& s, std::span<const uint8_t> frame) {
  if (frame.size() != 11) return;
  const int kind = frame[7], block = Join14(frame[8], frame[9]);
  if (kind == kKindSet) {
    if (block == 0) RefreshCurrent(s);  // a served set carries the parameters as they are now
    Serve(unit, s.memory.current, kind, block);
  } else if (kind == kKindBank) {
    if (block == 0) s.servingCard = false;  // a block request starts the internal bank
    if (s.servingCard) {
      if (s.memory.card) Serve(unit, *s.memory.card, kind, block);
    } else {
      Serve(unit, s.memory.internal, kind, block);
    }
  }
}

void SimTransfer::OnFileRequest(const SimUnit& unit, State& s, std::span<const uint8_t> frame) {
  // No card: the unit keeps quiet and the editor's timer tells the user.
  if (frame[7] != kKindBank || !s.memory.card) return;
  s.servingCard = true;
  Serve(unit, *s.memory.card, kKindBank, 0);
}

void SimTransfer::OnFileAnnounce(const SimUnit& unit, State& s, std::span<const uint8_t> frame) {
  if (frame[7] != kKindBank || !s.memory.card) return;
  s.incomingCard = true;
  s.expected = 0;
  line_.Send(std::vector<uint8_t>{0xF0, 0x7D, 0x00, 0x00, DeviceByte(unit.deviceNumber), 0x0E,
                                  SYSEX_FILE_REQUEST, kKindBank, 0xF7});
}

void SimTransfer::OnDataBlock(const SimUnit& unit, State& s, std::span<const uint8_t> frame) {
  if (frame.size() < kDataBlockOverhead || frame[8] != 1) return;
  const int kind = frame[7];
  const int total = Join14(frame[9], frame[10]), block = Join14(frame[11], frame[12]);
  const size_t n = frame.size() - kDataBlockOverhead;
  if (n > kBlockStreamBytes || total <= 0) return;
  if (block == 0) {
    s.stream.clear();
    s.expected = 0;
  }
  if (block != s.expected) return;
  const auto data = frame.subspan(13, n);
  const uint8_t dev = DeviceByte(unit.deviceNumber);
  if (BlockChecksum(data) != frame[13 + n]) {
    line_.Send(MakeBlockRequest(dev, kind, block));  // the same block again
    return;
  }
  s.stream.insert(s.stream.end(), data.begin(), data.end());
  if (block < total - 1) {
    s.expected = block + 1;
    if (faults_.stopAfterBlock >= 0 && block >= faults_.stopAfterBlock) return;
    line_.Send(MakeBlockRequest(dev, kind, block + 1));
    return;
  }
  s.expected = -1;
  unsigned size = static_cast<unsigned>(s.stream.size());
  if (DecodeStreamInPlace(s.stream, size) != 0) {
    std::cerr << "korvan-sim: unit " << s.number << ": a received image does not decode\n";
    return;
  }
  Keep(s, kind, std::vector<uint8_t>(s.stream.begin(), s.stream.begin() + size));
}

void SimTransfer::Keep(State& s, int kind, std::vector<uint8_t> image) {
  int code = 0;
  if (kind == kKindSet) {
    code = 4;
    s.memory.current = std::move(image);
    s.currentUnsaved = false;
    LoadParams(s.params, s.memory.current);
  } else if (kind == kKindProgram) {
    code = 8;
    s.memory.firmware = std::move(image);
  } else if (s.incomingCard) {
    code = 1;
    s.memory.card = std::move(image);
  } else {
    code = 2;
    s.memory.internal = std::move(image);
  }
  s.incomingCard = false;
  std::string error;
  if (!s.memory.Save(stateDir_, s.number, code, error))
    std::cerr << "korvan-sim: " << error << '\n';
}

}  // namespace korvan::sim
