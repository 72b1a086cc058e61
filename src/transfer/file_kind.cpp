#include "transfer/file_kind.h"

#include <cctype>
#include <string>

namespace korvan {

int FileKindOf(std::string_view name) {
  std::string upper(name);
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  constexpr std::string_view kExtensions[] = {"KVN", "XPC", "BIN"};
  for (size_t dot = upper.find('.'); dot != std::string::npos; dot = upper.find('.', dot + 1)) {
    const std::string_view rest = std::string_view(upper).substr(dot + 1);
    for (int k = 0; k < 3; ++k)
      if (rest == kExtensions[k]) return k;
  }
  return -1;
}

const char* FileFilter(int fileType) {
  switch (fileType) {
    case kFileBank:
      return "Preset Files (*.KVN)|*.kvn";
    case kFileSet:
      return "Set Files (*.XPC)|*.xpc";
    case kFileProgram:
      return "Program Files (*.BIN)|*.bin";
  }
  return "";
}

const char* DefaultExtension(int fileType) {
  switch (fileType) {
    case kFileBank:
      return "KVN";
    case kFileSet:
      return "XPC";
    case kFileProgram:
      return "BIN";
  }
  return "";
}

}  // namespace korvan
