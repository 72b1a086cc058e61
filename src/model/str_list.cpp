#include "model/str_list.h"

namespace korvan {

namespace {
const std::string kNoText;
}

bool StrList::Append(std::string_view text) {
  if (count() >= kCapacity) return false;
  nodes_.push_back({std::string(text), 0});
  if (cursorIndex_ < 0) cursorIndex_ = 0;
  return true;
}

void StrList::Seek(int i) {
  if (nodes_.empty()) return;
  if (i < 0) i = 0;
  cursorIndex_ = i < count() ? i : count() - 1;
}

bool StrList::Next() {
  if (nodes_.empty() || AtLast()) return false;
  ++cursorIndex_;
  return true;
}

const std::string& StrList::Text() const {
  return nodes_.empty() ? kNoText : nodes_[cursorIndex_].text;
}

void StrList::SetText(std::string_view text) {
  if (!nodes_.empty()) nodes_[cursorIndex_].text.assign(text);
}

int32_t StrList::NodeValue() const {
  return nodes_.empty() ? 0 : nodes_[cursorIndex_].value;
}

void StrList::SetNodeValue(int32_t v) {
  if (!nodes_.empty()) nodes_[cursorIndex_].value = v;
}

bool DispStrList::Select(int i) {
  if (i == cursorIndex_) return false;
  if (i >= count()) {
    Seek(count() - 1);
    topIndex_ = cursorIndex_ < 0 ? 0 : cursorIndex_;
    return false;
  }
  Seek(i);
  topIndex_ = cursorIndex_ < 0 ? 0 : cursorIndex_;
  return true;
}

}  // namespace korvan
