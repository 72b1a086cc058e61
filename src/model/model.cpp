#include "model/model.h"

#include <algorithm>

#include "model/brwin.h"
#include "model/change_rules.h"
#include "model/control_ids.h"

namespace korvan {

Model::Model(ModelHost* host) : host_(host) {
  modules_[kSetupModix] = std::make_unique<MSetup>();
  for (int i = 0; i < kInputCount; ++i) modules_[kFirstInputModix + i] = std::make_unique<MIn>(i);
  for (int i = 0; i < kOutputCount; ++i)
    modules_[kFirstOutputModix + i] = std::make_unique<MOut>(i);
  modules_[kMiscModix] = std::make_unique<MDiv>();
}

MCtrl* Model::Find(int modix, int mcix) {
  if (modix < 0 || modix >= kModuleCount) return nullptr;
  Modul& m = Module(modix);
  if (mcix < 0 || mcix >= m.controlCount) return nullptr;
  return &m.controls[mcix];
}

void Model::ReportRefused() {
  if (Locked()) host_->ShowErrorPopup("Cannot change Parameter", "Parameter is locked");
}

void Model::SetValue(MCtrl& c, int v, int mask) {
  if (!c.Enabled()) {
    ReportRefused();
    return;
  }
  v = c.Clamp(v);
  if (v == c.value) return;
  c.value = v;
  Notify(c, mask);
}

void Model::EditValue(MCtrl& c, int v) {
  if (v == c.value) return;
  if (Locked()) {
    ReportRefused();
    Notify(c, NOTIFY_REDISPLAY);
  } else if (c.Enabled()) {
    c.value = c.Clamp(v);
    Notify(c, NOTIFY_USER_EDIT);
  } else {
    Notify(c, NOTIFY_REDISPLAY);
  }
}

void Model::SetQuiet(MCtrl& c, int v) {
  v = c.Clamp(v);
  if (v == c.value) return;
  if (!EditedFlag && c.Stored()) EditedFlag = true;
  c.value = v;
}

void Model::SetFromPartner(MCtrl& c, int v) {
  c.value = v;
  Notify(c, NOTIFY_FROM_PARTNER);
}

void Model::RevertToReset(MCtrl& c) {
  if (c.Has(MC_KEEP) || c.value == c.resetValue) return;
  c.value = c.resetValue;
  Notify(c, NOTIFY_LOCAL);
}

void Model::Notify(MCtrl& c, int bits) {
  // A control is queued once; one whose actions are running takes the new bits into that pass.
  if ((bits & DO_QUEUED) && !(c.flags & DO_QUEUED) && &c != running_) {
    c.nextChanged = nullptr;
    if (queueTail_)
      queueTail_->nextChanged = &c;
    else
      queueHead_ = &c;
    queueTail_ = &c;
  }
  if (bits & DO_SEND) {
    if (!(c.flags & DO_SEND)) {
      if (!host_ || !host_->QueueForSend(c)) bits &= ~DO_SEND;
    }
    if (!EditedFlag && c.Stored()) EditedFlag = true;
  }
  c.flags |= bits;
}

void Model::ApplyReceived(MCtrl& c, int v) {
  if (!c.Enabled() || !c.Has(MC_SEND)) return;
  v = c.Clamp(v);
  if (v == c.value) return;
  c.value = v;
  Notify(c, NOTIFY_RECEIVED);
}

void Model::LinkControls(MCtrl& first, std::span<MCtrl* const> others) {
  if (first.Has(MC_UNLINKED) || others.empty()) return;
  const size_t n = std::min<size_t>(others.size(), 3);
  for (size_t i = 0; i < 3; ++i) first.partners[i] = i < n ? others[i] : nullptr;
  for (size_t k = 0; k < n; ++k) {
    MCtrl& o = *others[k];
    size_t slot = 0;
    o.partners[slot++] = &first;
    for (size_t j = 0; j < n; ++j)
      if (j != k) o.partners[slot++] = others[j];
    while (slot < 3) o.partners[slot++] = nullptr;
  }
  for (size_t k = 0; k < n; ++k) SetFromPartner(*others[k], first.value);
}

void Model::UnlinkControl(MCtrl& c) { c.partners[0] = c.partners[1] = c.partners[2] = nullptr; }

void Model::RingJoin(MCtrl& c, MCtrl& next) {
  c.ringNext = &next;
  c.ringBase = c.value;
  c.flags |= MC_RING;
}

void Model::RingPair(MCtrl& a, MCtrl& b) {
  RingJoin(a, b);
  RingJoin(b, a);
}

void Model::RingLeave(MCtrl& c) {
  c.ringNext = nullptr;
  c.ringBase = 0;
  c.flags &= ~MC_RING;
}

void Model::RingMove(MCtrl& origin) {
  const int delta = origin.value - origin.ringBase;
  // A ring has at most six members; the bound only protects against a broken ring.
  int guard = 0;
  for (MCtrl* m = origin.ringNext; m && m != &origin && guard < 16; m = m->ringNext, ++guard) {
    if (!m->Enabled()) continue;
    const int v = m->Clamp(m->ringBase + delta);
    if (v != m->value) {
      m->value = v;
      Notify(*m, NOTIFY_LOCAL);
    }
  }
}

void Model::RevertAll(Modul& m) {
  for (MCtrl& c : m.controls) RevertToReset(c);
}

void Model::WriteStored(const MCtrl& c, std::vector<uint16_t>& image) {
  if (c.Stored()) image.push_back(static_cast<uint16_t>(c.value));
}

void Model::ReadStored(MCtrl& c, ImageReader& image) {
  if (!c.Stored()) return;
  c.previousValue = c.value;
  uint16_t w = 0;
  if (!image.Next(w)) return;
  const int v = c.Clamp(w);
  if (v != c.value && c.Enabled()) {
    c.value = v;
    Notify(c, NOTIFY_FROM_IMAGE);
  }
}

void Model::WriteModule(const Modul& m, std::vector<uint16_t>& image) const {
  for (const MCtrl& c : m.controls) WriteStored(c, image);
}

void Model::ReadModule(Modul& m, ImageReader& image) {
  for (MCtrl& c : m.controls) ReadStored(c, image);
}

void Model::ProcessChanges() {
  if (running_) return;  // already draining: the running loop picks up what was added
  const bool edited = EditedFlag;
  const bool loadedEdited = LoadedEditedFlag;
  while (MCtrl* c = queueHead_) {
    running_ = c;
    if (c->flags & DO_HANDLER)
      RunChangeRule(*this, c->onChange, Module(c->modix), c->mcix, c->value);
    if ((c->flags & DO_DISPLAY) && c->binding) c->binding->Show(c->value);
    if ((c->flags & DO_RING) && c->Has(MC_RING)) RingMove(*c);
    if ((c->flags & DO_PARTNERS) && c->partners[0]) {
      for (MCtrl* p : c->partners) {
        if (!p) break;
        SetFromPartner(*p, c->value);
      }
    }
    c->flags &= ~DO_QUEUED;
    running_ = nullptr;
    queueHead_ = c->nextChanged;
    c->nextChanged = nullptr;
    if (!queueHead_) queueTail_ = nullptr;
  }
  EditedFlag = edited;
  LoadedEditedFlag = loadedEdited;
}

bool Model::ApplyReceivedEntry(int modix, int mcix, int value) {
  if (modix < 0 || modix >= kModuleCount) return false;
  if (mcix <= 0 || mcix >= Module(modix).controlCount) return false;
  if (modix == kSetupModix && mcix == mc::OpMode) {
    if (value < 0 || value > 3) return false;
    StoreDirect(Setup(mc::OpMode), value);
    ApplyOutputConfiguration(*this);
    return true;
  }
  ApplyReceived(Ctrl(modix, mcix), value);
  return true;
}

std::array<uint8_t, 4> Model::EncodeChange(int modix, int mcix, int value) {
  return {static_cast<uint8_t>(modix & 0x7F), static_cast<uint8_t>(mcix & 0x7F),
          static_cast<uint8_t>((value >> 7) & 0x7F), static_cast<uint8_t>(value & 0x7F)};
}

ParamChange Model::DecodeChange(std::span<const uint8_t, 4> b) {
  return {b[0] & 0x7F, b[1] & 0x7F, ((b[2] & 0x7F) << 7) | (b[3] & 0x7F)};
}

int Model::StoredWordCount() const {
  int n = 0;
  for (const auto& m : modules_) n += m->storedCount;
  return n;
}

int Model::ImageWordCount() const { return 1 + StoredWordCount() + kModuleCount + 40; }

}  // namespace korvan
