#include "link/frame_sender.h"

namespace korvan {

bool FrameSender::Send(const Frame& frame, bool logWhenClosed) {
  if (!port_.OpenPort()) {
    if (logWhenClosed) log_.Print("  No serial device");
    return false;
  }
  return port_.WriteFrame(frame) >= 0;
}

bool FrameSender::SendSearch() {
  return Send(MakeSearch(), false);
}

bool FrameSender::SendStatusRequest(int dynSelector, int limSelector) {
  return Send(MakeStatusRequest(Device(), dynSelector, limSelector), false);
}

bool FrameSender::SendRemoteMode(int value) {
  return Send(MakeRemoteMode(Device(), value), true);
}

bool FrameSender::SendSetDeviceId(int newId) {
  return Send(MakeSetDeviceId(Device(), newId), true);
}

bool FrameSender::SendSetName(std::string_view name) {
  return Send(MakeSetName(Device(), name), true);
}

bool FrameSender::SendBlockRequest(int kind, int block) {
  return Send(MakeBlockRequest(Device(), kind, block), true);
}

bool FrameSender::SendFileAnnounce(int kind, std::string_view name) {
  return Send(MakeFileAnnounce(Device(), kind, name), true);
}

bool FrameSender::SendFileRequest(int kind, std::string_view name) {
  return Send(MakeFileRequest(Device(), kind, name), true);
}

}  // namespace korvan
