#include "transfer/firmware_update.h"

#include "editor/editor.h"
#include "transfer/connect_dialog.h"
#include "transfer/file_kind.h"
#include "transfer/transfers.h"

namespace korvan {

void StartFirmwareUpdate(Editor& editor) {
  Transfers& t = editor.transfers();
  Filer& s = t.sender;
  editor.Log("ProgUpdate..");
  s.error = 0;
  s.medium = kMediumDisk;
  const std::string name = editor.ui().AskOpenFileName(FileFilter(kFileProgram));
  if (name.empty()) {
    s.error = kFilerNoFile;
  } else {
    s.fileName = name;
    s.fileType = FileKindOf(name);
    if (s.fileType != kFileProgram) s.error = kFilerIllegalData;
  }
  if (!s.error) s.Load();
  if (!s.error && editor.ui().MessageBox("This will overwrite the Korvan\nwith a new program",
                                         MsgIcon::Question, MsgButtons::OkCancel) != MsgResult::Ok)
    s.error = kFilerNoFile;
  if (s.error) {
    s.ReportError(true);
    return;
  }
  editor.SetBusy(true);
  // The unit's three data sets are kept before its program is replaced.
  editor.connect().BackUpUnitThen(kSetCard | kSetInternal | kSetCurrent, [&editor] {
    Transfers& tr = editor.transfers();
    tr.stopServing = false;
    tr.sender.medium = kMediumSerial;
    tr.sender.blockNo = 0;
    tr.ServeBlockRequest(kFileProgram, 0);
  });
}

void FinishFirmwareUpdate(Editor& editor) {
  Ui& ui = editor.ui();
  ui.BusyCursor(false);
  ui.MessageBox("Please Restart the Korvan", MsgIcon::Question, MsgButtons::Ok);
  editor.SetRemoteMode(0);
  editor.SetBusy(false);
}

}  // namespace korvan
