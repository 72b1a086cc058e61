#pragma once
// One editor for a fuzz target, built once: every input is unpacked into it in turn, so the
// readers also meet the state earlier inputs left behind.

#include <cstddef>
#include <cstdint>

#include "core/manual_scheduler.h"
#include "core/ui.h"
#include "editor/editor.h"
#include "transfer/filer.h"

namespace korvan::fuzz {

inline Editor& FuzzEditor() {
  static SilentUi ui;
  static ManualScheduler clock;
  static Editor editor(ui, clock);
  return editor;
}

// Unpacks one input as a Filer of fileType and medium would, and checks that the model stays
// usable whatever was applied.
inline void UnpackInput(int fileType, unsigned medium, const uint8_t* data, size_t size) {
  Editor& editor = FuzzEditor();
  Filer f(editor);
  f.fileType = fileType;
  f.medium = medium;
  f.buffer.assign(data, data + size);
  f.size = static_cast<unsigned>(size);
  f.Unpack();
  editor.model().ProcessChanges();
  if (editor.model().OutputConfiguration < 0 || editor.model().OutputConfiguration > 3)
    __builtin_trap();
  if (f.error) f.ReportError(false);
}

}  // namespace korvan::fuzz
