#pragma once
// What the model needs of a window-control binding: showing a new value. The Qt program's
// bindings implement the rest (edit, attach, detach).

namespace korvan {

class BRWin {
 public:
  virtual ~BRWin() = default;
  virtual void Show(int value) = 0;
};

}  // namespace korvan
