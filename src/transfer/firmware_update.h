#pragma once
// Replacing the unit's program with a ".bin" image: chosen, read, confirmed, then sent block by
// block as kind 2; when the last block is out the user is told to restart the unit.

namespace korvan {

class Editor;

// Asks for the file and sends block 0 after the confirmation; failures show the error dialog.
void StartFirmwareUpdate(Editor& editor);
// Run when the last block of a program image is out.
void FinishFirmwareUpdate(Editor& editor);

}  // namespace korvan
