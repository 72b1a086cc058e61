#pragma once
// Little-endian reading and writing of byte images with bounds checks: a read past the end gives
// nothing and marks the reader, a write past the end is dropped and marks the writer.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

namespace korvan {

class ByteReader {
 public:
  explicit ByteReader(std::span<const uint8_t> bytes, size_t pos = 0) : bytes_(bytes), pos_(pos) {}

  bool Get8(uint8_t& v) {
    if (!Has(1)) return Fail();
    v = bytes_[pos_++];
    return true;
  }
  bool Get16(uint16_t& v) {
    if (!Has(2)) return Fail();
    v = static_cast<uint16_t>(bytes_[pos_] | (bytes_[pos_ + 1] << 8));
    pos_ += 2;
    return true;
  }
  bool Get32(uint32_t& v) {
    if (!Has(4)) return Fail();
    v = static_cast<uint32_t>(bytes_[pos_]) | (static_cast<uint32_t>(bytes_[pos_ + 1]) << 8) |
        (static_cast<uint32_t>(bytes_[pos_ + 2]) << 16) |
        (static_cast<uint32_t>(bytes_[pos_ + 3]) << 24);
    pos_ += 4;
    return true;
  }
  bool GetBytes(std::span<uint8_t> out) {
    if (!Has(out.size())) return Fail();
    if (!out.empty()) std::memcpy(out.data(), bytes_.data() + pos_, out.size());
    pos_ += out.size();
    return true;
  }
  bool Skip(size_t n) {
    if (!Has(n)) return Fail();
    pos_ += n;
    return true;
  }

  bool Has(size_t n) const { return pos_ <= bytes_.size() && bytes_.size() - pos_ >= n; }
  size_t pos() const { return pos_; }
  size_t remaining() const { return pos_ <= bytes_.size() ? bytes_.size() - pos_ : 0; }
  bool failed() const { return failed_; }

 private:
  bool Fail() {
    failed_ = true;
    return false;
  }
  std::span<const uint8_t> bytes_;
  size_t pos_;
  bool failed_ = false;
};

class ByteWriter {
 public:
  explicit ByteWriter(std::span<uint8_t> out, size_t pos = 0) : out_(out), pos_(pos) {}

  void Put8(uint8_t v) {
    if (!Room(1)) return;
    out_[pos_++] = v;
  }
  void Put16(uint16_t v) {
    if (!Room(2)) return;
    out_[pos_++] = static_cast<uint8_t>(v);
    out_[pos_++] = static_cast<uint8_t>(v >> 8);
  }
  void Put32(uint32_t v) {
    if (!Room(4)) return;
    for (int i = 0; i < 4; ++i) out_[pos_++] = static_cast<uint8_t>(v >> (8 * i));
  }
  void PutBytes(std::span<const uint8_t> bytes) {
    if (!Room(bytes.size())) return;
    if (!bytes.empty()) std::memcpy(out_.data() + pos_, bytes.data(), bytes.size());
    pos_ += bytes.size();
  }
  // Overwrites four bytes already written at offset.
  void Patch32(size_t offset, uint32_t v) {
    if (offset > pos_ || pos_ - offset < 4) {
      overflow_ = true;
      return;
    }
    for (int i = 0; i < 4; ++i) out_[offset + i] = static_cast<uint8_t>(v >> (8 * i));
  }

  size_t pos() const { return pos_; }
  bool overflow() const { return overflow_; }

 private:
  bool Room(size_t n) {
    if (overflow_ || pos_ > out_.size() || out_.size() - pos_ < n) {
      overflow_ = true;
      return false;
    }
    return true;
  }
  std::span<uint8_t> out_;
  size_t pos_;
  bool overflow_ = false;
};

}  // namespace korvan
