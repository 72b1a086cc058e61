// korvan-tool file info|show|diff|export|import: bank and set files without the window program.

#include <cmath>
#include <cstdio>
#include <fstream>
#include <iostream>

#include "core/manual_scheduler.h"
#include "editor/editor.h"
#include "model/control_ids.h"
#include "model/processing_estimate.h"
#include "tool/chunk_file.h"
#include "tool/commands.h"
#include "tool/json_files.h"
#include "tool/tool_ui.h"
#include "tool/value_text.h"
#include "transfer/file_kind.h"

namespace korvan::tool {
namespace {

constexpr const char* kInputLetters[kInputNameCount] = {"A", "B", "C", "Sum"};

// One editor as the program starts, for what needs a model.
struct Session {
  ToolUi ui;
  ManualScheduler clock;
  Editor editor{ui, clock};
  int Words() const { return editor.presets().ImageWords(); }
};

std::string ImageName(const ParameterImage& image, int namesOffset, int i) {
  std::string name;
  for (int k = 0; k < kNameBytes; ++k) {
    const char c = static_cast<char>(image[namesOffset + i * kNameBytes + k] & 0xFF);
    if (c == '\0') break;
    name += c;
  }
  return Latin1ToUtf8(name);
}

void PrintChunk(const ChunkHeader& h) {
  const char tag[5] = {static_cast<char>(h.tag), static_cast<char>(h.tag >> 8),
                       static_cast<char>(h.tag >> 16), static_cast<char>(h.tag >> 24), 0};
  std::cout << "chunk\t" << tag << '\t' << h.revision << '\t' << h.version << '\t' << h.bodySize
            << '\n';
}

int Info(const std::string& path) {
  Session s;
  std::string error;
  const auto file = ReadChunkFile(path, s.Words(), error);
  if (!file) {
    std::cerr << error << '\n';
    return 1;
  }
  if (file->kind == kFileProgram) {
    std::cout << "kind\tprogram\n";
    return 0;
  }
  if (file->kind == kFileBank) {
    std::cout << "kind\tbank\n";
    PrintChunk(file->bank.header);
    // The slots as the editor holds them once the bank is read into a bank of its own.
    Filer f(s.editor);
    f.fileType = kFileBank;
    f.medium = kMediumDisk;
    f.buffer = file->bytes;
    f.size = static_cast<unsigned>(f.buffer.size());
    f.Unpack();
    const DispStrList& names = s.editor.presets().PresetNames[kCardBank];
    for (int i = 0; i < kPresetsPerBank; ++i) {
      const bool used = !s.editor.presets().At(kCardBank, i).empty;
      std::cout << "slot\t" << i + 1 << '\t' << (used ? "used" : "empty") << '\t'
                << ((names.ValueAt(i) & 1) ? "locked" : "-") << '\t'
                << Latin1ToUtf8(names.TextAt(i)) << '\n';
    }
    return 0;
  }
  std::cout << "kind\tset\n";
  PrintChunk(file->set.header);
  for (const SetPart& p : file->set.parts) PrintChunk(p.header);
  const XcurData* xcur = file->First<XcurData>();
  if (!xcur) return 0;
  std::cout << "preset\t" << xcur->number + 1 << '\t'
            << (xcur->bank == kCardBank ? "card" : "internal") << '\n'
            << "edited\t" << (xcur->edited ? 1 : 0) << '\n'
            << "locked\t" << (xcur->locked ? 1 : 0) << '\n'
            << "name\t" << Latin1ToUtf8(NameText(xcur->name)) << '\n';
  for (int i = 0; i < kInputNameCount; ++i)
    std::cout << "input\t" << kInputLetters[i] << '\t'
              << ImageName(xcur->image, s.editor.presets().NamesOffset(), i) << '\n';
  std::cout << "opmode\t" << ValueText(kSetupModix, mc::OpMode, xcur->image[0], xcur->image)
            << '\n';
  // The estimate of the set as the editor computes it once the set is loaded.
  s.ui.fileNames.push_back(path);
  if (FileKindOf(path) == kFileSet && s.editor.files().LoadSet()) {
    const float p = ProcessingEstimate(s.editor.model());
    char line[64];
    std::snprintf(line, sizeof line, "estimate\t%.1f\t%d\n", p,
                  56 - static_cast<int>(std::trunc(p + 4.5f)));
    std::cout << line;
  }
  return 0;
}

// The stored controls in image order, with their word index.
template <typename F>
void ForEachStored(const Model& model, F f) {
  int word = 1;
  for (int modix = 0; modix < kModuleCount; ++modix)
    for (const MCtrl& c : model.Module(modix).controls)
      if (c.Stored()) f(word++, modix, c.mcix);
}

// Setup control 20 as the file carries it: in a set's XPRB record; a bank has none.
int DelayUnitOf(const std::optional<ChunkFile>& file) {
  const XprbData* xprb = file ? file->First<XprbData>() : nullptr;
  return xprb ? xprb->values[3] : 0;
}

const ParameterImage* Image(const std::optional<ChunkFile>& file, int slot, const std::string& path,
                            std::string& error) {
  if (!file) return nullptr;
  const ParameterImage* image = FileImage(*file, slot, error);
  if (!image) error = path + ": " + error;
  return image;
}

int Show(const std::string& path, int slot) {
  Session s;
  std::string error;
  const auto file = ReadChunkFile(path, s.Words(), error);
  const ParameterImage* image = Image(file, slot, path, error);
  if (!image) {
    std::cerr << error << '\n';
    return 1;
  }
  const Model& model = s.editor.model();
  const int unit = DelayUnitOf(file);
  ForEachStored(model, [&](int word, int modix, int mcix) {
    const int v = (*image)[word];
    std::cout << word << '\t' << modix << '\t' << mcix << '\t' << v << '\t'
              << ValueText(modix, mcix, v, *image, unit) << '\n';
  });
  const int reserved = 1 + model.StoredWordCount();
  for (int m = 0; m < kModuleCount; ++m)
    std::cout << "reserved\t" << m << '\t' << (*image)[reserved + m] << '\n';
  for (int i = 0; i < kInputNameCount; ++i)
    std::cout << "input\t" << kInputLetters[i] << '\t'
              << ImageName(*image, s.editor.presets().NamesOffset(), i) << '\n';
  return 0;
}

int Diff(const std::string& pathA, const std::string& pathB, int slotA, int slotB) {
  Session s;
  std::string error;
  const auto fileA = ReadChunkFile(pathA, s.Words(), error);
  const ParameterImage* a = Image(fileA, slotA, pathA, error);
  const auto fileB = a ? ReadChunkFile(pathB, s.Words(), error) : std::nullopt;
  const ParameterImage* b = a ? Image(fileB, slotB, pathB, error) : nullptr;
  if (!a || !b) {
    std::cerr << error << '\n';
    return 2;
  }
  const int unitA = DelayUnitOf(fileA), unitB = DelayUnitOf(fileB);
  bool differ = false;
  ForEachStored(s.editor.model(), [&](int word, int modix, int mcix) {
    const int va = (*a)[word], vb = (*b)[word];
    if (va == vb) return;
    differ = true;
    std::cout << modix << '\t' << mcix << '\t' << va << '\t' << vb << '\t'
              << ValueText(modix, mcix, va, *a, unitA) << '\t'
              << ValueText(modix, mcix, vb, *b, unitB) << '\n';
  });
  return differ ? 1 : 0;
}

int Export(const std::string& path) {
  Session s;
  std::string error;
  const auto file = ReadChunkFile(path, s.Words(), error);
  nlohmann::json out;
  if (!file || !ExportJson(*file, out, error)) {
    std::cerr << (file ? path + ": " : "") << error << '\n';
    return 1;
  }
  std::cout << out.dump(2) << '\n';
  return 0;
}

int Import(const std::string& jsonPath, const std::string& outPath) {
  Session s;
  std::ifstream in(jsonPath);
  if (!in) {
    std::cerr << jsonPath << ": cannot be read\n";
    return 1;
  }
  const nlohmann::json j = nlohmann::json::parse(in, nullptr, false);
  if (j.is_discarded()) {
    std::cerr << jsonPath << ": not JSON\n";
    return 1;
  }
  std::vector<uint8_t> bytes;
  int fileType = 0;
  std::string error;
  if (!ImportJson(j, s.Words(), s.editor.chunks().versions, bytes, fileType, error)) {
    std::cerr << jsonPath << ": " << error << '\n';
    return 1;
  }
  Filer f(s.editor);
  f.fileType = fileType;
  f.fileName = outPath;
  f.buffer = std::move(bytes);
  f.size = static_cast<unsigned>(f.buffer.size());
  f.Store();
  if (f.error) {
    f.ReportError(true);
    std::cerr << s.ui.lastBox << '\n';
    return 1;
  }
  return 0;
}

}  // namespace

void AddFileCommand(CLI::App& app, int& rc) {
  auto* file = app.add_subcommand("file", "Inspect, compare, export and import bank and set files");
  file->require_subcommand(1);

  static std::string path, pathB, jsonPath, outPath;
  static int slot = 0, slotB = 0;

  auto* info = file->add_subcommand("info", "The chunks and the presets of a file");
  info->add_option("FILE", path, "Bank (.kvn), set (.xpc) or program (.bin) file")->required();
  info->callback([&rc] { rc = Info(path); });

  auto* show = file->add_subcommand("show", "The parameter image of a set or of a bank slot");
  show->add_option("FILE", path, "Bank or set file")->required();
  show->add_option("--slot", slot, "Bank slot 1..60 (default: the first used slot)")
      ->check(CLI::Range(1, kPresetsPerBank));
  show->callback([&rc] { rc = Show(path, slot); });

  auto* diff = file->add_subcommand("diff", "The stored controls in which two images differ");
  diff->add_option("A", path, "Bank or set file")->required();
  diff->add_option("B", pathB, "Bank or set file")->required();
  diff->add_option("--slot", slot, "Slot of A when A is a bank")
      ->check(CLI::Range(1, kPresetsPerBank));
  diff->add_option("--slot-b", slotB, "Slot of B when B is a bank (default: as --slot)")
      ->check(CLI::Range(1, kPresetsPerBank));
  diff->callback([&rc] { rc = Diff(path, pathB, slot, slotB ? slotB : slot); });

  auto* exp = file->add_subcommand("export", "A bank or set file as JSON");
  exp->add_option("FILE", path, "Bank or set file")->required();
  exp->callback([&rc] { rc = Export(path); });

  auto* imp = file->add_subcommand("import", "Writes a bank or set file from its JSON");
  imp->add_option("JSON", jsonPath, "JSON as file export prints it")->required();
  imp->add_option("-o", outPath, "The file to write")->required();
  imp->callback([&rc] { rc = Import(jsonPath, outPath); });
}

}  // namespace korvan::tool
