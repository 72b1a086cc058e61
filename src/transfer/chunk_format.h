#pragma once
// The chunk format of preset banks, sets and the data sets exchanged with the unit: tagged chunks
// framed by a header and an inverted-tag trailer. This file knows bytes only; chunk_codec.h
// moves the data between these records and the model.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <variant>
#include <vector>

#include "model/presets.h"
#include "transfer/byte_io.h"

namespace korvan {

// Chunk kinds by index.
enum ChunkKind : int {
  kChunkXPRB = 0,  // unit-wide settings
  kChunkXSNP = 1,  // a bank of 60 presets
  kChunkXCUR = 2,  // the current set
  kChunkXPRE = 3,  // two setup values and two texts
  kChunkXPCR = 4,  // a set: XPRB, XCUR and XPRE in one container
  kChunkIOSP = 5,  // program images; never written as a chunk
  kChunkKinds = 6,
};

inline constexpr size_t kChunkHeaderBytes = 12;
inline constexpr size_t kChunkFrameBytes = 16;  // header and trailer
inline constexpr int kXprbBody = 26;
inline constexpr int kXpreBody = 24;
inline constexpr int kBankMaxBody = 65520;         // a bank image fits in 65 536 bytes
inline constexpr size_t kBankGrowthLimit = 63488;  // leaves room for the largest coded slot
inline constexpr uint16_t kStartVersion = 0x0110;
inline constexpr int kErrIllegalData = 6;
inline constexpr int kErrMemoryFull = 2;

constexpr int XcurBody(int imageWords) {
  return 2 * imageWords + 16;
}
constexpr int XpcrBody(int imageWords) {
  return 2 * imageWords + 114;
}

// The four letters of a kind's tag, and the tag as a little-endian word.
const char* ChunkTag(int kind);
uint32_t TagWord(int kind);
inline uint32_t TrailerWord(int kind) {
  return ~TagWord(kind);
}

// One entry per chunk kind: the version written with every chunk of that kind. A chunk read with
// a smaller version lowers the entry until the program ends.
class ChunkVersions {
 public:
  ChunkVersions() { Reset(); }
  void Reset() { entries_.fill(kStartVersion); }
  uint16_t Get(int kind) const { return entries_[kind]; }
  void Set(int kind, uint16_t v) { entries_[kind] = v; }
  void Lower(int kind, uint16_t v) {
    if (v < entries_[kind]) entries_[kind] = v;
  }

 private:
  std::array<uint16_t, kChunkKinds> entries_;
};

struct ChunkHeader {
  uint32_t tag = 0;
  uint16_t revision = 0;
  uint16_t version = 0;
  int32_t bodySize = 0;
  size_t start = 0;  // offset of the tag
  size_t BodyStart() const { return start + kChunkHeaderBytes; }
  size_t End() const { return start + kChunkFrameBytes + static_cast<size_t>(bodySize); }
};

// Checks the header of a chunk of the given kind at start: its tag, a revision of 1..100, a body
// of at least 4 bytes that lies inside bytes with its trailer, and the trailer. Lowers the
// version table entry (when versions is given) before the size is checked. Returns 0 or 6; a
// chunk of a revision other than 1 passes the checks and is still 6 (its layout is unknown).
int ReadChunkHeader(std::span<const uint8_t> bytes, size_t start, int kind, ChunkVersions* versions,
                    ChunkHeader& out);

// Records of the chunk bodies.
struct BankSlot {
  int index = 0;  // 0..59
  NameField name{};
  ParameterImage image;
};

struct BankData {
  std::array<uint8_t, kPresetsPerBank> attributes{};  // bit 0: locked
  std::vector<BankSlot> slots;                        // used slots, rising
};

struct XprbData {
  // Setup controls 18, 19, 25, 20 and 21, in this order.
  std::array<uint16_t, 5> values{};
};

struct XcurData {
  uint16_t number = 0;  // 0..59
  uint16_t bank = 0;    // 0 internal, 1 card
  uint8_t edited = 0;
  uint8_t locked = 0;
  NameField name{};
  ParameterImage image;
};

struct XpreData {
  uint16_t a = 0;
  uint16_t b = 0;
  NameField text1{};
  NameField text2{};
};

// What a bank reader got, as far as it got. A reader stops at the first error; the slots read
// in full before it stay valid and are applied.
struct BankRead {
  int error = 0;
  ChunkHeader header;
  bool haveAttributes = false;  // the header and the attribute bytes were sound
  BankData data;
  // Used slots below this index were settled by the reader before it stopped: the last slot
  // index read (its content may have failed), or 60 once an empty bank was announced.
  int lastIndexRead = -1;
  bool complete = false;  // the list ended properly
};

BankRead ParseXsnp(std::span<const uint8_t> bytes, size_t start, int imageWords,
                   ChunkVersions* versions);

struct XcurRead {
  int error = 0;
  ChunkHeader header;
  XcurData data;
};
struct XprbRead {
  int error = 0;
  ChunkHeader header;
  XprbData data;
};
struct XpreRead {
  int error = 0;
  ChunkHeader header;
  XpreData data;
};

XcurRead ParseXcur(std::span<const uint8_t> bytes, size_t start, int imageWords,
                   ChunkVersions* versions);
XprbRead ParseXprb(std::span<const uint8_t> bytes, size_t start, ChunkVersions* versions);
XpreRead ParseXpre(std::span<const uint8_t> bytes, size_t start, ChunkVersions* versions);

// One chunk inside a set container, in file order; chunks of other kinds are skipped whole and
// listed with their header only.
struct SetPart {
  ChunkHeader header;
  std::variant<std::monostate, XprbData, XcurData, XpreData> body;
};

struct SetRead {
  int error = 0;
  ChunkHeader header;
  std::vector<SetPart> parts;  // the parts read in full before any error
};

SetRead ParseXpcr(std::span<const uint8_t> bytes, size_t start, int imageWords,
                  ChunkVersions* versions);

// Writers: each writes one complete chunk, header to trailer.
void WriteChunkHeader(ByteWriter& w, int kind, uint16_t version, int32_t bodySize);
void WriteChunkTrailer(ByteWriter& w, int kind);
void WriteXprb(ByteWriter& w, const XprbData& d, uint16_t version);
void WriteXcur(ByteWriter& w, const XcurData& d, uint16_t version, int imageWords);
void WriteXpre(ByteWriter& w, const XpreData& d, uint16_t version);

struct SetVersions {
  uint16_t xpcr = kStartVersion, xprb = kStartVersion, xcur = kStartVersion, xpre = kStartVersion;
};
void WriteXpcr(ByteWriter& w, const XprbData& xprb, const XcurData& xcur, const XpreData& xpre,
               const SetVersions& versions, int imageWords);

// Writes a bank; the slots must be used slots in rising order. Returns 0, or 2 when the image
// outgrew its limit (the chunk then holds the slots written so far and is still complete).
int WriteXsnp(ByteWriter& w, const BankData& bank, uint16_t version, int imageWords);

// Whole files: the byte image of a bank or a set.
std::vector<uint8_t> BankBytes(const BankData& bank, uint16_t version, int imageWords,
                               int* error = nullptr);
std::vector<uint8_t> SetBytes(const XprbData& xprb, const XcurData& xcur, const XpreData& xpre,
                              const SetVersions& versions, int imageWords);

}  // namespace korvan
