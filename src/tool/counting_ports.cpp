#include "tool/counting_ports.h"

namespace korvan::tool {
namespace {

class CountingDevice : public PortDevice {
 public:
  CountingDevice(std::unique_ptr<PortDevice> inner, ByteCounts& counts)
      : inner_(std::move(inner)), counts_(counts) {}
  int Fd() const override { return inner_->Fd(); }
  int BytesWaiting() override { return inner_->BytesWaiting(); }
  int Read(uint8_t* data, size_t max) override {
    const int n = inner_->Read(data, max);
    if (n > 0) counts_.received += static_cast<uint64_t>(n);
    return n;
  }
  bool Write(const uint8_t* data, size_t count, int timeoutMs) override {
    const bool ok = inner_->Write(data, count, timeoutMs);
    if (ok) counts_.sent += count;
    return ok;
  }
  void SetRts(bool raised) override { inner_->SetRts(raised); }

 private:
  std::unique_ptr<PortDevice> inner_;
  ByteCounts& counts_;
};

}  // namespace

std::unique_ptr<PortDevice> CountingPortSystem::Open(int portNumber) {
  std::unique_ptr<PortDevice> device = inner_.Open(portNumber);
  if (!device) return nullptr;
  return std::make_unique<CountingDevice>(std::move(device), counts);
}

}  // namespace korvan::tool
