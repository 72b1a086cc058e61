#pragma once
// The three file kinds (fileType): 0 preset bank ".kvn", 1 set ".xpc", 2 program image ".bin".

#include <string_view>

namespace korvan {

inline constexpr int kFileBank = 0;
inline constexpr int kFileSet = 1;
inline constexpr int kFileProgram = 2;

// The kind of a file name: at every "." the rest of the upper-cased name is compared with "KVN",
// "XPC" and "BIN"; the first match gives 0, 1 or 2, none gives -1 (A.B.XPC is a set, A.XPC.BAK
// nothing).
int FileKindOf(std::string_view name);

// The file dialog's filter ("Preset Files (*.KVN)|*.kvn") and default extension ("KVN").
const char* FileFilter(int fileType);
const char* DefaultExtension(int fileType);

}  // namespace korvan
