#pragma once
// Ordered lists of texts with a value word each and a cursor; the banks' preset names use them.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace korvan {

// A list of text entries with a cursor. The cursor is on an entry whenever the list is not empty.
class StrList {
 public:
  static constexpr int kCapacity = 1000;

  // Adds an entry with value 0 after the last; refused when the list is full. The first entry
  // added becomes the cursor.
  bool Append(std::string_view text);
  // Cursor to entry i; past the end the cursor stays on the last entry.
  void Seek(int i);
  // Cursor to the next entry; false at the last one.
  bool Next();
  bool AtFirst() const { return cursorIndex_ == 0; }
  bool AtLast() const { return count() > 0 && cursorIndex_ == count() - 1; }

  // The cursor's entry (an empty text and 0 on an empty list; setting does nothing then).
  const std::string& Text() const;
  void SetText(std::string_view text);
  int32_t NodeValue() const;
  void SetNodeValue(int32_t v);

  int count() const { return static_cast<int>(nodes_.size()); }
  int cursorIndex() const { return cursorIndex_; }
  // Entry i without moving the cursor; i must be inside the list.
  const std::string& TextAt(int i) const { return nodes_[i].text; }
  int32_t ValueAt(int i) const { return nodes_[i].value; }

 protected:
  struct Node {
    std::string text;
    int32_t value = 0;
  };
  std::vector<Node> nodes_;
  int cursorIndex_ = -1;
};

// A StrList shown in a scrolling display: the top entry follows the cursor.
class DispStrList : public StrList {
 public:
  // Moves the cursor to entry i; false when it is there already or when i is past the end (the
  // cursor then goes to the last entry).
  bool Select(int i);
  int topIndex() const { return topIndex_; }

 private:
  int topIndex_ = 0;
};

using DISPSTRLIST = DispStrList;

}  // namespace korvan
