#include "tool/unit_session.h"

#include <unistd.h>

#include <cstdio>

#include "tool/port_option.h"
#include "transfer/transfers.h"

namespace korvan::tool {
namespace {

// Bounds that only keep a broken line from hanging the tool: the editor's own timers end every
// transfer that stalls much sooner.
constexpr int64_t kTransferBoundMs = 30 * 60 * 1000;

}  // namespace

int DataSetCode(const std::string& name) {
  if (name == "current") return kSetCurrent;
  if (name == "internal") return kSetInternal;
  if (name == "card") return kSetCard;
  return 0;
}

UnitSession::UnitSession(std::optional<std::string> backupFolder)
    : editor_(
          ui_, loop_,
          {.ports = &ports_, .watcher = &loop_, .logFolder = "", .backupFolder = backupFolder}) {
  ui_.progressOnTerminal = ::isatty(STDERR_FILENO) == 1;
}

bool UnitSession::Connect(const std::string& port, int device, std::string& error) {
  const int number = ResolvePort(port, posix_, error);
  if (number == 0) return false;
  Discovery& d = editor_.discovery();
  d.view.portBox = {"COM " + std::to_string(number)};
  d.view.portSelection = 0;
  editor_.port().presentMask |= 1u << (number - 1);
  d.StartSearch();
  auto wanted = [&] {
    for (const FoundEntry& e : d.found)
      if (e.record.modelCode != 0 && e.record.deviceNumber == device - 1) return true;
    return false;
  };
  loop_.RunUntil([&] { return !d.SearchTimerRunning() || (device != 0 && wanted()); },
                 Discovery::kSearchTimeoutMs + 2000);
  int pick = -1;
  for (size_t i = 0; i < d.found.size(); ++i) {
    const IdentityRecord& r = d.found[i].record;
    if (r.modelCode == 0) continue;
    if (device != 0 && r.deviceNumber != device - 1) continue;
    pick = static_cast<int>(i);
    break;
  }
  if (pick < 0) {
    error = "no Korvan answered on " + port +
            (device != 0 ? " as device " + std::to_string(device) : std::string());
    return false;
  }
  d.selected = -1;
  d.Select(pick);
  d.linkKind = 1;
  // Answers that come after the early end of the search must not change the selection.
  ui_.lastBox.clear();
  return true;
}

void UnitSession::StartStats() {
  startCounts_ = ports_.counts;
  startMs_ = loop_.NowMs();
}

void UnitSession::EndStats() {
  endCounts_ = ports_.counts;
  endMs_ = loop_.NowMs();
}

std::string UnitSession::StatsLine() const {
  char line[128];
  std::snprintf(line, sizeof line, "transfer\t%llu\t%llu\t%.3f",
                static_cast<unsigned long long>(endCounts_.sent - startCounts_.sent),
                static_cast<unsigned long long>(endCounts_.received - startCounts_.received),
                static_cast<double>(endMs_ - startMs_) / 1000.0);
  return line;
}

bool UnitSession::RunUntilDone(const std::function<bool()>& done, std::string& error) {
  ui_.lastBox.clear();
  const bool ok = loop_.RunUntil([&] { return done() || !ui_.lastBox.empty(); }, kTransferBoundMs);
  EndStats();
  ui_.EndProgressLine();
  if (!ui_.lastBox.empty() && !done()) {
    error = ui_.lastBox;
    return false;
  }
  if (!ok) {
    error = "the transfer did not end";
    return false;
  }
  return true;
}

bool UnitSession::Pull(int code, std::vector<uint8_t>& image, std::string& error) {
  Transfers& t = editor_.transfers();
  bool got = false;
  t.keepReceived = [&](int, std::span<const uint8_t> bytes) {
    image.assign(bytes.begin(), bytes.end());
    got = true;
  };
  StartStats();
  t.receiveCancelled = false;
  t.sequenceRunning = false;
  t.receivingSet = code;
  t.ReceiveDataSet(editor_.discovery().linkKind, code);
  const bool ok = RunUntilDone([&] { return got || t.receivingSet == 0; }, error);
  t.keepReceived = nullptr;
  if (ok && !got) {
    error = ui_.lastBox.empty() ? "the unit sent nothing" : ui_.lastBox;
    return false;
  }
  return ok;
}

bool UnitSession::BackUp(int mask, std::string& error) {
  bool done = false;
  editor_.SetBusy(true);
  editor_.transfers().sequenceRunning = false;
  editor_.connect().BackUpUnitThen(mask, [&] { done = true; });
  const bool ok = RunUntilDone([&] { return done; }, error);
  editor_.SetBusy(false);
  return ok;
}

bool UnitSession::Push(int code, const std::vector<uint8_t>& image, std::string& error) {
  Transfers& t = editor_.transfers();
  StartStats();
  t.stopServing = false;
  t.sequenceRunning = false;
  t.sendingSet = code;
  t.SendDataSet(editor_.discovery().linkKind, code, &image);
  return RunUntilDone([&] { return t.sendingSet == 0; }, error);
}

bool UnitSession::Update(const std::vector<uint8_t>& image, std::string& message,
                         std::string& error) {
  Transfers& t = editor_.transfers();
  Filer& s = t.sender;
  s.fileType = kKindProgram;
  s.medium = kMediumSerial;
  s.buffer = image;
  s.size = static_cast<unsigned>(image.size());
  s.blockNo = 0;
  editor_.SetRemoteMode(0x80);
  StartStats();
  t.stopServing = false;
  editor_.SetBusy(true);
  t.ServeBlockRequest(kKindProgram, 0);
  const bool ok = RunUntilDone([&] { return editor_.RemoteMode() == 0; }, error);
  if (ok) message = ui_.lastBox;
  return ok;
}

}  // namespace korvan::tool
