#include "link/sysex.h"

#include <algorithm>

namespace korvan {
namespace {

// Templates: device byte 0x20, body bytes zero.
constexpr std::array<uint8_t, 8> kSearch{0xF0, 0x7D, 0x00, 0x00, 0x20, 0x0E, SYSEX_SEARCH, 0xF7};
constexpr std::array<uint8_t, 10> kStatusRequest{
    0xF0, 0x7D, 0x00, 0x00, 0x20, 0x0E, SYSEX_STATUS_REQUEST, 0x00, 0x00, 0xF7};
constexpr std::array<uint8_t, 10> kRemoteMode{0xF0, 0x7D, 0x00, 0x00, 0x20, 0x0E, SYSEX_REMOTE_MODE,
                                              0x00, 0x00, 0xF7};
constexpr std::array<uint8_t, 9> kSetDeviceId{
    0xF0, 0x7D, 0x00, 0x00, 0x20, 0x0E, SYSEX_SET_DEVICE_ID, 0x00, 0xF7};
constexpr std::array<uint8_t, 24> kSetName{
    0xF0, 0x7D, 0x00, 0x00, 0x20, 0x0E, SYSEX_SET_NAME, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0,    0,    0,    0,    0,    0xF7};
constexpr std::array<uint8_t, 11> kBlockRequest{
    0xF0, 0x7D, 0x00, 0x00, 0x20, 0x0E, SYSEX_BLOCK_REQUEST, 0x00, 0x00, 0x00, 0xF7};
constexpr std::array<uint8_t, 18> kFileFrame{0xF0, 0x7D, 0x00, 0x00, 0x20, 0x0E, 0x00, 0x00, 0,
                                             0,    0,    0,    0,    0,    0,    0,    0x00, 0xF7};

template <size_t N>
Frame FromTemplate(const std::array<uint8_t, N>& t, uint8_t dev) {
  Frame f(t.begin(), t.end());
  f[kDeviceOffset] = dev & 0x7F;
  return f;
}

Frame Header(uint8_t dev, uint8_t cmd, size_t size) {
  Frame f(size, 0);
  f[0] = SYSEX_START;
  f[1] = 0x7D;
  f[2] = 0x00;
  f[3] = 0x00;
  f[kDeviceOffset] = dev & 0x7F;
  f[5] = SYSEX_MODEL;
  f[kCommandOffset] = cmd;
  f[size - 1] = SYSEX_END;
  return f;
}

Frame FileFrame(uint8_t cmd, uint8_t dev, int kind, std::string_view name) {
  Frame f = FromTemplate(kFileFrame, dev);
  f[kCommandOffset] = cmd;
  f[7] = static_cast<uint8_t>(kind & 0x7F);
  // At most 8 characters, the rest zero; byte 16 stays zero.
  for (size_t i = 0; i < kFileNameLength && i < name.size(); ++i)
    f[8 + i] = static_cast<uint8_t>(name[i]) & 0x7F;
  return f;
}

}  // namespace

bool IsKorvanFrame(std::span<const uint8_t> frame) {
  return frame.size() >= 8 && frame[0] == SYSEX_START && frame[1] == 0x7D && frame[2] == 0x00 &&
         frame[3] == 0x00 && frame[5] == SYSEX_MODEL && frame.back() == SYSEX_END;
}

std::array<uint8_t, kNameLength> WireName(std::string_view name) {
  std::array<uint8_t, kNameLength> out;
  out.fill(0x20);
  for (size_t i = 0; i < name.size() && i < kNameLength; ++i) {
    const auto c = static_cast<unsigned char>(name[i]);
    if (c < 0x20 || c > 0x7F) break;
    out[i] = c;
  }
  return out;
}

Frame MakeSearch() {
  return FromTemplate(kSearch, kUnknownDevice);
}

Frame MakeStatusRequest(uint8_t dev, int dynSelector, int limSelector) {
  Frame f = FromTemplate(kStatusRequest, dev);
  f[7] = static_cast<uint8_t>((dynSelector + 2) & 0x7F);
  f[8] = static_cast<uint8_t>((limSelector + 2) & 0x7F);
  return f;
}

Frame MakeRemoteMode(uint8_t dev, int value) {
  Frame f = FromTemplate(kRemoteMode, dev);
  f[7] = static_cast<uint8_t>((value >> 4) & 0x0F);
  f[8] = static_cast<uint8_t>(value & 0x0F);
  return f;
}

Frame MakeSetDeviceId(uint8_t dev, int newId) {
  Frame f = FromTemplate(kSetDeviceId, dev);
  f[7] = static_cast<uint8_t>(newId & 0x0F);
  return f;
}

Frame MakeSetName(uint8_t dev, std::string_view name) {
  Frame f = FromTemplate(kSetName, dev);
  const auto wire = WireName(name);
  std::copy(wire.begin(), wire.end(), f.begin() + kBodyOffset);
  return f;
}

Frame MakeBlockRequest(uint8_t dev, int kind, int block) {
  Frame f = FromTemplate(kBlockRequest, dev);
  f[7] = static_cast<uint8_t>(kind & 0x7F);
  f[8] = Hi7(block);
  f[9] = Lo7(block);
  return f;
}

Frame MakeFileAnnounce(uint8_t dev, int kind, std::string_view name) {
  return FileFrame(SYSEX_FILE_ANNOUNCE, dev, kind, name);
}

Frame MakeFileRequest(uint8_t dev, int kind, std::string_view name) {
  return FileFrame(SYSEX_FILE_REQUEST, dev, kind, name);
}

Frame MakeParamChanges(uint8_t dev, std::span<const uint8_t> entries) {
  const size_t count = entries.size() / 4;
  Frame f = Header(dev, SYSEX_PARAM_CHANGES, 9 + 4 * count);
  f[7] = static_cast<uint8_t>(count & 0x7F);
  for (size_t i = 0; i < 4 * count; ++i) f[8 + i] = entries[i] & 0x7F;
  return f;
}

Frame MakeDataBlock(uint8_t dev, int kind, int totalBlocks, int block,
                    std::span<const uint8_t> payload, uint8_t checksum) {
  Frame f = Header(dev, SYSEX_DATA_BLOCK, 15 + payload.size());
  f[7] = static_cast<uint8_t>(kind & 0x7F);
  f[8] = 1;
  f[9] = Hi7(totalBlocks);
  f[10] = Lo7(totalBlocks);
  f[11] = Hi7(block);
  f[12] = Lo7(block);
  for (size_t i = 0; i < payload.size(); ++i) f[13 + i] = payload[i] & 0x7F;
  f[13 + payload.size()] = checksum & 0x7F;
  return f;
}

Frame MakeIdentity(uint8_t dev, int major, int minor, std::string_view name) {
  Frame f = Header(dev, SYSEX_IDENTITY, 26);
  f[7] = static_cast<uint8_t>(major & 0x7F);
  f[8] = static_cast<uint8_t>(minor & 0x7F);
  const auto wire = WireName(name);
  std::copy(wire.begin(), wire.end(), f.begin() + 9);
  return f;
}

Frame MakeStatus(uint8_t dev, std::span<const uint8_t> report) {
  Frame f = Header(dev, SYSEX_STATUS, 9 + report.size());
  f[7] = static_cast<uint8_t>(report.size() & 0x7F);
  for (size_t i = 0; i < report.size(); ++i) f[8 + i] = report[i] & 0x7F;
  return f;
}

}  // namespace korvan
