#include "transfer/file_commands.h"

#include "editor/editor.h"
#include "transfer/file_kind.h"

namespace korvan {

FileCommands::FileCommands(Editor& editor)
    : editor_(editor), saveSet_(editor), saveInternal_(editor), saveCard_(editor) {
  saveSet_.fileType = kFileSet;
  saveInternal_.fileType = kFileBank;
  saveCard_.fileType = kFileBank;
}

FileCommands::~FileCommands() = default;

bool FileCommands::ChooseFileToLoad(Filer& filer) {
  filer.error = 0;
  const std::string name = editor_.ui().AskOpenFileName(FileFilter(filer.fileType));
  if (name.empty()) {
    filer.error = kFilerNoFile;
  } else {
    filer.fileName = name;
    if (FileKindOf(name) != filer.fileType) filer.error = kFilerIllegalData;
  }
  // A cancelled dialog or a file of another kind loads nothing and shows nothing.
  const bool chosen = filer.error == 0;
  filer.error = 0;
  return chosen;
}

bool FileCommands::Load(std::unique_ptr<Filer>& filer, int fileType, unsigned unpackMedium) {
  if (!filer) {
    filer = std::make_unique<Filer>(editor_);
    filer->fileType = fileType;
  }
  Filer& f = *filer;
  if (!ChooseFileToLoad(f)) return false;
  // The medium is the disk for reading, whatever the last unpack left in it.
  f.medium = kMediumDisk;
  f.Load();
  if (f.error) {
    f.ReportError(false);
    return false;
  }
  f.medium = unpackMedium;
  f.Unpack();
  f.medium = kMediumDisk;
  f.FreeBuffer();
  if (f.error) {
    f.ReportError(false);
    return false;
  }
  return true;
}

bool FileCommands::Save(Filer& f, unsigned packMedium) {
  f.medium = packMedium;
  f.Pack();
  f.medium = kMediumDisk;
  // A bank that could not be packed whole is not written: the file keeps its old contents.
  if (f.error) {
    f.ReportError(true);
    return false;
  }
  f.Store();
  if (f.error) {
    f.ReportError(true);
    return false;
  }
  return !f.fileName.empty();
}

bool FileCommands::LoadSet() {
  return Load(loadSet_, kFileSet, kMediumDisk);
}
bool FileCommands::LoadInternalPresets() {
  return Load(loadInternal_, kFileBank, kMediumSerial);
}
bool FileCommands::LoadCardPresets() {
  return Load(loadCard_, kFileBank, kMediumDisk);
}

bool FileCommands::SaveSet() {
  return Save(saveSet_, kMediumDisk);
}
bool FileCommands::SaveSetAs() {
  saveSet_.fileName.clear();
  return SaveSet();
}
bool FileCommands::SaveInternalPresets() {
  return Save(saveInternal_, kMediumSerial);
}
bool FileCommands::SaveInternalPresetsAs() {
  saveInternal_.fileName.clear();
  return SaveInternalPresets();
}
bool FileCommands::SaveCardPresets() {
  return Save(saveCard_, kMediumDisk);
}
bool FileCommands::SaveCardPresetsAs() {
  saveCard_.fileName.clear();
  return SaveCardPresets();
}

}  // namespace korvan
