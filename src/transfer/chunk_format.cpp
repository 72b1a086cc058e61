#include "transfer/chunk_format.h"

#include <algorithm>

namespace korvan {

namespace {

constexpr const char* kTags[kChunkKinds] = {"XPRB", "XSNP", "XCUR", "XPRE", "XPCR", "IOSP"};

bool ReadWord32(std::span<const uint8_t> bytes, size_t at, uint32_t& v) {
  ByteReader r(bytes, at);
  return r.Get32(v);
}

// A name field must end in a zero byte within its ten bytes.
bool ReadName(ByteReader& r, NameField& name) {
  std::array<uint8_t, kNameBytes> raw{};
  if (!r.GetBytes(raw)) return false;
  if (std::find(raw.begin(), raw.end(), 0) == raw.end()) return false;
  std::copy(raw.begin(), raw.end(), name.begin());
  return true;
}

void WriteName(ByteWriter& w, const NameField& name) {
  // Characters up to the first zero, then zero bytes: what follows a zero is never carried.
  std::array<uint8_t, kNameBytes> raw{};
  for (int i = 0; i < kNameBytes - 1 && name[i] != '\0'; ++i)
    raw[i] = static_cast<uint8_t>(name[i]);
  w.PutBytes(raw);
}

bool ReadImage(ByteReader& r, int words, ParameterImage& image) {
  image.assign(words, 0);
  for (uint16_t& v : image)
    if (!r.Get16(v)) return false;
  return true;
}

uint16_t WordAt(const ParameterImage& image, int i) {
  return i < static_cast<int>(image.size()) ? image[i] : 0;
}

void WriteImage(ByteWriter& w, const ParameterImage& image, int words) {
  for (int i = 0; i < words; ++i) w.Put16(WordAt(image, i));
}

// The mode word indexes the per-mode tables of the model.
bool ModeWordValid(const ParameterImage& image) {
  return !image.empty() && image[0] <= 3;
}

// Reads the header of a chunk whose body has a fixed size.
int ReadFixedHeader(std::span<const uint8_t> bytes, size_t start, int kind, int bodySize,
                    ChunkVersions* versions, ChunkHeader& h) {
  if (int e = ReadChunkHeader(bytes, start, kind, versions, h)) return e;
  return h.bodySize == bodySize ? 0 : kErrIllegalData;
}

std::span<const uint8_t> Body(std::span<const uint8_t> bytes, const ChunkHeader& h) {
  return bytes.subspan(h.BodyStart(), static_cast<size_t>(h.bodySize));
}

// Codes image p against q: runs of equal values and literal runs, each preceded by its length.
void WriteDelta(ByteWriter& w, const ParameterImage& p, const ParameterImage& q, int n) {
  auto equal = [&](int i) { return WordAt(p, i) == WordAt(q, i); };
  int pos = 0;
  while (pos < n && equal(pos)) ++pos;
  w.Put16(static_cast<uint16_t>(pos));
  while (pos < n) {
    // A literal run ends at the end of the image or where three positions in a row are equal;
    // the two of those already copied are handed to the equal run that follows.
    const int start = pos;
    int sameInRow = 0;
    bool toEqualRun = false;
    while (true) {
      ++pos;
      if (pos == n) break;
      sameInRow = equal(pos) ? sameInRow + 1 : 0;
      if (sameInRow == 3) {
        toEqualRun = true;
        break;
      }
    }
    if (!toEqualRun) {
      w.Put16(static_cast<uint16_t>(pos - start));
      for (int i = start; i < pos; ++i) w.Put16(WordAt(p, i));
      return;
    }
    const int literalEnd = pos - 2;
    w.Put16(static_cast<uint16_t>(literalEnd - start));
    for (int i = start; i < literalEnd; ++i) w.Put16(WordAt(p, i));
    pos = literalEnd;
    while (pos < n && equal(pos)) ++pos;
    w.Put16(static_cast<uint16_t>(pos - literalEnd));
  }
}

// Decodes an image coded against prev; false on a run that passes the end or truncated data.
bool ReadDelta(ByteReader& r, const ParameterImage& prev, int n, ParameterImage& out) {
  out = prev;
  out.resize(n, 0);
  int pos = 0;
  while (pos < n) {
    uint16_t same = 0;
    if (!r.Get16(same) || same > n - pos) return false;
    pos += same;
    if (pos == n) break;
    uint16_t literal = 0;
    if (!r.Get16(literal) || literal > n - pos) return false;
    for (int i = 0; i < literal; ++i)
      if (!r.Get16(out[pos++])) return false;
  }
  return true;
}

}  // namespace

const char* ChunkTag(int kind) {
  return kind >= 0 && kind < kChunkKinds ? kTags[kind] : "????";
}

uint32_t TagWord(int kind) {
  const char* t = ChunkTag(kind);
  return static_cast<uint32_t>(static_cast<uint8_t>(t[0])) |
         (static_cast<uint32_t>(static_cast<uint8_t>(t[1])) << 8) |
         (static_cast<uint32_t>(static_cast<uint8_t>(t[2])) << 16) |
         (static_cast<uint32_t>(static_cast<uint8_t>(t[3])) << 24);
}

int ReadChunkHeader(std::span<const uint8_t> bytes, size_t start, int kind, ChunkVersions* versions,
                    ChunkHeader& h) {
  h = ChunkHeader{};
  h.start = start;
  if (start > bytes.size() || bytes.size() - start < kChunkFrameBytes) return kErrIllegalData;
  ByteReader r(bytes, start);
  uint32_t size = 0;
  r.Get32(h.tag);
  r.Get16(h.revision);
  r.Get16(h.version);
  r.Get32(size);
  if (h.tag != TagWord(kind)) return kErrIllegalData;
  if (h.revision < 1 || h.revision > 100) return kErrIllegalData;
  if (versions) versions->Lower(kind, h.version);
  h.bodySize = static_cast<int32_t>(size);
  if (h.bodySize < 4) return kErrIllegalData;
  const size_t room = bytes.size() - start - kChunkFrameBytes;
  if (static_cast<size_t>(h.bodySize) > room) return kErrIllegalData;
  uint32_t trailer = 0;
  if (!ReadWord32(bytes, h.BodyStart() + h.bodySize, trailer) || trailer != TrailerWord(kind))
    return kErrIllegalData;
  if (h.revision != 1) return kErrIllegalData;
  return 0;
}

BankRead ParseXsnp(std::span<const uint8_t> bytes, size_t start, int n, ChunkVersions* versions) {
  BankRead res;
  res.error = ReadChunkHeader(bytes, start, kChunkXSNP, versions, res.header);
  if (res.error) return res;
  if (res.header.bodySize > kBankMaxBody) return res.error = kErrIllegalData, res;
  ByteReader r(Body(bytes, res.header));
  if (!r.GetBytes(res.data.attributes)) return res.error = kErrIllegalData, res;
  res.haveAttributes = true;

  uint32_t first = 0;
  if (!r.Get32(first) || first > static_cast<uint32_t>(kPresetsPerBank))
    return res.error = kErrIllegalData, res;
  if (first == kPresetsPerBank) {
    // An empty bank: the inverted tag follows the first-slot field.
    res.lastIndexRead = kPresetsPerBank;
    uint32_t trailer = 0;
    if (!ReadWord32(bytes, res.header.BodyStart() + 64, trailer) ||
        trailer != TrailerWord(kChunkXSNP))
      return res.error = kErrIllegalData, res;
    res.complete = true;
    return res;
  }

  BankSlot slot;
  slot.index = static_cast<int>(first);
  res.lastIndexRead = slot.index;
  if (!ReadName(r, slot.name) || !ReadImage(r, n, slot.image) || !ModeWordValid(slot.image))
    return res.error = kErrIllegalData, res;
  res.data.slots.push_back(std::move(slot));

  while (true) {
    uint16_t index = 0;
    if (!r.Get16(index)) return res.error = kErrIllegalData, res;
    if (index == 0) break;
    const BankSlot& prev = res.data.slots.back();
    if (index <= prev.index || index >= kPresetsPerBank) return res.error = kErrIllegalData, res;
    res.lastIndexRead = index;
    BankSlot next;
    next.index = index;
    if (!ReadName(r, next.name) || !ReadDelta(r, prev.image, n, next.image) ||
        !ModeWordValid(next.image))
      return res.error = kErrIllegalData, res;
    res.data.slots.push_back(std::move(next));
  }
  res.complete = true;
  return res;
}

XcurRead ParseXcur(std::span<const uint8_t> bytes, size_t start, int n, ChunkVersions* versions) {
  XcurRead res;
  res.error = ReadFixedHeader(bytes, start, kChunkXCUR, XcurBody(n), versions, res.header);
  if (res.error) return res;
  ByteReader r(Body(bytes, res.header));
  XcurData& d = res.data;
  const bool ok = r.Get16(d.number) && r.Get16(d.bank) && r.Get8(d.edited) && r.Get8(d.locked) &&
                  ReadName(r, d.name) && ReadImage(r, n, d.image);
  if (!ok || d.number >= kPresetsPerBank || d.bank >= kBankCount || !ModeWordValid(d.image))
    res.error = kErrIllegalData;
  return res;
}

XprbRead ParseXprb(std::span<const uint8_t> bytes, size_t start, ChunkVersions* versions) {
  XprbRead res;
  res.error = ReadFixedHeader(bytes, start, kChunkXPRB, kXprbBody, versions, res.header);
  if (res.error) return res;
  ByteReader r(Body(bytes, res.header));
  for (uint16_t& v : res.data.values) r.Get16(v);
  if (r.failed()) res.error = kErrIllegalData;
  return res;
}

XpreRead ParseXpre(std::span<const uint8_t> bytes, size_t start, ChunkVersions* versions) {
  XpreRead res;
  res.error = ReadFixedHeader(bytes, start, kChunkXPRE, kXpreBody, versions, res.header);
  if (res.error) return res;
  ByteReader r(Body(bytes, res.header));
  XpreData& d = res.data;
  if (!(r.Get16(d.a) && r.Get16(d.b) && ReadName(r, d.text1) && ReadName(r, d.text2)))
    res.error = kErrIllegalData;
  return res;
}

SetRead ParseXpcr(std::span<const uint8_t> bytes, size_t start, int n, ChunkVersions* versions) {
  SetRead res;
  res.error = ReadChunkHeader(bytes, start, kChunkXPCR, versions, res.header);
  if (res.error) return res;
  // The parts must lie inside the container's body; its trailer is checked already.
  const size_t end = res.header.BodyStart() + res.header.bodySize;
  const std::span<const uint8_t> inside = bytes.first(end);
  size_t pos = res.header.BodyStart();
  while (pos < end) {
    uint32_t tag = 0;
    if (!ReadWord32(inside, pos, tag)) return res.error = kErrIllegalData, res;
    if (tag == TrailerWord(kChunkXPCR)) {
      pos += 4;
      continue;
    }
    SetPart part;
    if (tag == TagWord(kChunkXPRB)) {
      XprbRead r = ParseXprb(inside, pos, versions);
      if (r.error) return res.error = r.error, res;
      part = {r.header, r.data};
    } else if (tag == TagWord(kChunkXCUR)) {
      XcurRead r = ParseXcur(inside, pos, n, versions);
      if (r.error) return res.error = r.error, res;
      part = {r.header, std::move(r.data)};
    } else if (tag == TagWord(kChunkXPRE)) {
      XpreRead r = ParseXpre(inside, pos, versions);
      if (r.error) return res.error = r.error, res;
      part = {r.header, r.data};
    } else {
      // Another kind: skipped whole when its frame is sound.
      ByteReader r(inside, pos);
      ChunkHeader h;
      h.start = pos;
      uint32_t size = 0;
      if (!(r.Get32(h.tag) && r.Get16(h.revision) && r.Get16(h.version) && r.Get32(size)))
        return res.error = kErrIllegalData, res;
      h.bodySize = static_cast<int32_t>(size);
      uint32_t trailer = 0;
      if (h.bodySize < 0 || static_cast<size_t>(h.bodySize) > end - pos - kChunkHeaderBytes ||
          !ReadWord32(inside, h.BodyStart() + h.bodySize, trailer) || trailer != ~h.tag)
        return res.error = kErrIllegalData, res;
      part.header = h;
    }
    pos = part.header.End();
    res.parts.push_back(std::move(part));
  }
  // A set is one container; anything after its trailer is not part of it.
  if (res.header.End() != bytes.size()) res.error = kErrIllegalData;
  return res;
}

void WriteChunkHeader(ByteWriter& w, int kind, uint16_t version, int32_t bodySize) {
  w.Put32(TagWord(kind));
  w.Put16(1);
  w.Put16(version);
  w.Put32(static_cast<uint32_t>(bodySize));
}

void WriteChunkTrailer(ByteWriter& w, int kind) {
  w.Put32(TrailerWord(kind));
}

void WriteXprb(ByteWriter& w, const XprbData& d, uint16_t version) {
  WriteChunkHeader(w, kChunkXPRB, version, kXprbBody);
  for (uint16_t v : d.values) w.Put16(v);
  for (int i = 0; i < 16; ++i) w.Put8(0x20);
  WriteChunkTrailer(w, kChunkXPRB);
}

void WriteXcur(ByteWriter& w, const XcurData& d, uint16_t version, int n) {
  WriteChunkHeader(w, kChunkXCUR, version, XcurBody(n));
  w.Put16(d.number);
  w.Put16(d.bank);
  w.Put8(d.edited);
  w.Put8(d.locked);
  WriteName(w, d.name);
  WriteImage(w, d.image, n);
  WriteChunkTrailer(w, kChunkXCUR);
}

void WriteXpre(ByteWriter& w, const XpreData& d, uint16_t version) {
  WriteChunkHeader(w, kChunkXPRE, version, kXpreBody);
  w.Put16(d.a);
  w.Put16(d.b);
  WriteName(w, d.text1);
  WriteName(w, d.text2);
  WriteChunkTrailer(w, kChunkXPRE);
}

void WriteXpcr(ByteWriter& w, const XprbData& xprb, const XcurData& xcur, const XpreData& xpre,
               const SetVersions& v, int n) {
  WriteChunkHeader(w, kChunkXPCR, v.xpcr, XpcrBody(n));
  WriteXprb(w, xprb, v.xprb);
  WriteXcur(w, xcur, v.xcur, n);
  WriteXpre(w, xpre, v.xpre);
  WriteChunkTrailer(w, kChunkXPCR);
}

int WriteXsnp(ByteWriter& w, const BankData& bank, uint16_t version, int n) {
  const size_t start = w.pos();
  int error = 0;
  WriteChunkHeader(w, kChunkXSNP, version, 4);
  w.PutBytes(bank.attributes);
  if (bank.slots.empty()) {
    w.Put32(kPresetsPerBank);
  } else {
    const BankSlot* prev = &bank.slots.front();
    w.Put32(static_cast<uint32_t>(prev->index));
    WriteName(w, prev->name);
    WriteImage(w, prev->image, n);
    for (size_t k = 1; k < bank.slots.size(); ++k) {
      const BankSlot& slot = bank.slots[k];
      w.Put16(static_cast<uint16_t>(slot.index));
      WriteName(w, slot.name);
      WriteDelta(w, slot.image, prev->image, n);
      prev = &slot;
      if (w.pos() - start > kBankGrowthLimit) {
        error = kErrMemoryFull;
        break;
      }
    }
    w.Put16(0);
  }
  w.Patch32(start + 8, static_cast<uint32_t>(w.pos() - start - kChunkHeaderBytes));
  WriteChunkTrailer(w, kChunkXSNP);
  return error;
}

std::vector<uint8_t> BankBytes(const BankData& bank, uint16_t version, int n, int* error) {
  std::vector<uint8_t> out(kBankMaxBody + kChunkFrameBytes);
  ByteWriter w(out);
  const int e = WriteXsnp(w, bank, version, n);
  if (error) *error = e;
  out.resize(w.pos());
  return out;
}

std::vector<uint8_t> SetBytes(const XprbData& xprb, const XcurData& xcur, const XpreData& xpre,
                              const SetVersions& versions, int n) {
  std::vector<uint8_t> out(XpcrBody(n) + kChunkFrameBytes);
  ByteWriter w(out);
  WriteXpcr(w, xprb, xcur, xpre, versions, n);
  out.resize(w.pos());
  return out;
}

}  // namespace korvan
