#pragma once
// The File menu's load and save commands. Each load command makes its Filer when first used;
// each save command keeps its Filer, and so its file name, for as long as the editor lives.
// Every command returns true when it loaded or saved something without an error.

#include <memory>

#include "transfer/filer.h"

namespace korvan {

class Editor;

class FileCommands {
 public:
  explicit FileCommands(Editor& editor);
  ~FileCommands();
  FileCommands(const FileCommands&) = delete;
  FileCommands& operator=(const FileCommands&) = delete;

  bool LoadSet();
  bool LoadInternalPresets();
  bool LoadCardPresets();
  bool SaveSet();
  bool SaveSetAs();
  bool SaveInternalPresets();
  bool SaveInternalPresetsAs();
  bool SaveCardPresets();
  bool SaveCardPresetsAs();

  Filer& setSaver() { return saveSet_; }
  Filer& internalSaver() { return saveInternal_; }
  Filer& cardSaver() { return saveCard_; }

 private:
  bool Load(std::unique_ptr<Filer>& filer, int fileType, unsigned unpackMedium);
  bool Save(Filer& filer, unsigned packMedium);
  // Asks for a file to load; false (silently) on cancel or a name of another kind.
  bool ChooseFileToLoad(Filer& filer);

  Editor& editor_;
  std::unique_ptr<Filer> loadSet_, loadInternal_, loadCard_;
  Filer saveSet_, saveInternal_, saveCard_;
};

}  // namespace korvan
