#pragma once
// Every frame that crosses the line: F0 7D 00 00 dev 0E cmd body... F7, all body bytes 7-bit.
// Fixed-size frames are copies of byte templates with the device byte and body patched in;
// variable-size frames are built at their exact size.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace korvan {

inline constexpr uint8_t SYSEX_START = 0xF0;
inline constexpr uint8_t SYSEX_END = 0xF7;
inline constexpr uint8_t SYSEX_MODEL = 0x0E;

// Command bytes (offset 6).
inline constexpr uint8_t SYSEX_IDENTITY = 0x00;
inline constexpr uint8_t SYSEX_STATUS = 0x04;
inline constexpr uint8_t SYSEX_DATA_BLOCK = 0x10;
inline constexpr uint8_t SYSEX_ENTRY_LIST = 0x11;
inline constexpr uint8_t SYSEX_FILE_ANNOUNCE = 0x12;
inline constexpr uint8_t SYSEX_PARAM_CHANGES = 0x20;
inline constexpr uint8_t SYSEX_SET_DEVICE_ID = 0x22;
inline constexpr uint8_t SYSEX_SET_NAME = 0x25;
inline constexpr uint8_t SYSEX_REMOTE_MODE = 0x3F;
inline constexpr uint8_t SYSEX_SEARCH = 0x40;
inline constexpr uint8_t SYSEX_STATUS_REQUEST = 0x44;
inline constexpr uint8_t SYSEX_BLOCK_REQUEST = 0x50;
inline constexpr uint8_t SYSEX_FILE_REQUEST = 0x52;

// Frame offsets.
inline constexpr int kDeviceOffset = 4;
inline constexpr int kCommandOffset = 6;
inline constexpr int kBodyOffset = 7;

// The device byte of frames to a unit that has not answered yet, and of every search.
inline constexpr uint8_t kUnknownDevice = 0x20;

inline constexpr int kMaxChangeEntries = 79;   // per SYSEX_PARAM_CHANGES frame from the editor
inline constexpr int SYS_EX_BLOCKSIZE = 1000;  // payload bytes of one SYSEX_DATA_BLOCK at most
inline constexpr int kNameLength = 16;         // unit name on the wire
inline constexpr int kFileNameLength = 8;      // name field of file announce / request

// Data-set kinds (also the file kinds).
inline constexpr int kKindBank = 0;
inline constexpr int kKindSet = 1;
inline constexpr int kKindProgram = 2;

using Frame = std::vector<uint8_t>;

// 14-bit numbers travel high 7 bits first.
inline uint8_t Hi7(int v) {
  return static_cast<uint8_t>((v >> 7) & 0x7F);
}
inline uint8_t Lo7(int v) {
  return static_cast<uint8_t>(v & 0x7F);
}
inline int Join14(uint8_t hi, uint8_t lo) {
  return (hi & 0x7F) * 128 + (lo & 0x7F);
}

// The device byte of a device number (0..15, or 32 before a unit is known).
inline uint8_t DeviceByte(int deviceNumber) {
  return static_cast<uint8_t>(deviceNumber & 0x7F);
}

// True for F0 7D 00 00 _ 0E cmd ... F7: long enough to hold a command byte and the Korvan header.
bool IsKorvanFrame(std::span<const uint8_t> frame);

// Editor -> unit, fixed size.
Frame MakeSearch();
Frame MakeStatusRequest(uint8_t dev, int dynSelector, int limSelector);
Frame MakeRemoteMode(uint8_t dev, int value);
Frame MakeSetDeviceId(uint8_t dev, int newId);
Frame MakeSetName(uint8_t dev, std::string_view name);
Frame MakeBlockRequest(uint8_t dev, int kind, int block);
Frame MakeFileAnnounce(uint8_t dev, int kind, std::string_view name);
Frame MakeFileRequest(uint8_t dev, int kind, std::string_view name);

// Both directions, variable size. entries: 4 bytes each (modix, mcix, vhi, vlo).
Frame MakeParamChanges(uint8_t dev, std::span<const uint8_t> entries);
Frame MakeDataBlock(uint8_t dev, int kind, int totalBlocks, int block,
                    std::span<const uint8_t> payload, uint8_t checksum);

// Unit -> editor (the simulator's side).
Frame MakeIdentity(uint8_t dev, int major, int minor, std::string_view name);
Frame MakeStatus(uint8_t dev, std::span<const uint8_t> report);

// The 16 name bytes of SYSEX_SET_NAME: printable characters up to the first other one, at most
// 16, padded with spaces.
std::array<uint8_t, kNameLength> WireName(std::string_view name);

}  // namespace korvan
