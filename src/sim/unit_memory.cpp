#include "sim/unit_memory.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>

#include "core/manual_scheduler.h"
#include "editor/editor.h"
#include "transfer/filer.h"

namespace korvan::sim {
namespace {

UnitMemory::Bytes Pack(Editor& e, int fileType, unsigned medium) {
  Filer f(e);
  f.fileType = fileType;
  f.medium = medium;
  f.Pack();
  return {f.buffer.begin(), f.buffer.begin() + f.size};
}

bool ReadFile(const std::string& path, UnitMemory::Bytes& out) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return true;
}

}  // namespace

UnitMemory UnitMemory::Defaults() {
  SilentUi ui;
  ManualScheduler clock;
  Editor editor(ui, clock);
  UnitMemory m;
  m.current = Pack(editor, 1, kMediumSerial);
  m.internal = Pack(editor, 0, kMediumSerial);
  m.card = Pack(editor, 0, kMediumDisk);
  return m;
}

std::string UnitMemory::PathOf(const std::string& stateDir, int number, int code) {
  const char* name = code == 1   ? "card.kvn"
                     : code == 2 ? "internal.kvn"
                     : code == 4 ? "current.xpc"
                                 : "firmware.bin";
  return stateDir + "/unit" + std::to_string(number) + "-" + name;
}

void UnitMemory::Load(const std::string& stateDir, int number, bool noCard) {
  if (!stateDir.empty()) {
    ReadFile(PathOf(stateDir, number, 4), current);
    ReadFile(PathOf(stateDir, number, 2), internal);
    Bytes c;
    if (ReadFile(PathOf(stateDir, number, 1), c)) card = c;
    ReadFile(PathOf(stateDir, number, 8), firmware);
  }
  if (noCard) card.reset();
}

bool UnitMemory::Save(const std::string& stateDir, int number, int code, std::string& error) const {
  if (stateDir.empty()) return true;
  const Bytes* what = code == 1   ? (card ? &*card : nullptr)
                      : code == 2 ? &internal
                      : code == 4 ? &current
                                  : &firmware;
  if (!what) return true;
  const std::string path = PathOf(stateDir, number, code);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(what->data()),
            static_cast<std::streamsize>(what->size()));
  out.flush();
  if (!out) {
    error = "cannot write " + path + ": " + std::strerror(errno);
    return false;
  }
  return true;
}

}  // namespace korvan::sim
