#include "tool/json_files.h"

#include "tool/value_text.h"
#include "transfer/file_kind.h"

namespace korvan::tool {

using nlohmann::json;

namespace {

json NameJson(const NameField& f) {
  return Latin1ToUtf8(NameText(f));
}

json ImageJson(const ParameterImage& image) {
  return json(image);
}

// Reading JSON: each getter checks the type and range and says what is wrong.
struct Reader {
  std::string& error;

  bool Fail(const std::string& what) {
    if (error.empty()) error = what;
    return false;
  }
  bool Int(const json& j, const char* what, long lo, long hi, long& v) {
    if (!j.is_number_integer()) return Fail(std::string(what) + " must be an integer");
    v = j.get<long>();
    if (v < lo || v > hi)
      return Fail(std::string(what) + " must be " + std::to_string(lo) + ".." + std::to_string(hi));
    return true;
  }
  bool Word(const json& j, const char* what, uint16_t& w) {
    long v = 0;
    if (!Int(j, what, 0, 65535, v)) return false;
    w = static_cast<uint16_t>(v);
    return true;
  }
  bool Name(const json& j, const char* what, NameField& f) {
    std::string bytes;
    if (!j.is_string() || !Utf8ToLatin1(j.get<std::string>(), bytes))
      return Fail(std::string(what) + " must be a text of Latin-1 characters");
    if (bytes.size() > kNameBytes - 1 || bytes.find('\0') != std::string::npos)
      return Fail(std::string(what) + " has at most 9 characters");
    f = MakeNameField(bytes);
    return true;
  }
  bool Image(const json& j, int words, ParameterImage& image) {
    if (!j.is_array() || static_cast<int>(j.size()) != words)
      return Fail("an image has " + std::to_string(words) + " values");
    image.resize(words);
    for (int i = 0; i < words; ++i)
      if (!Word(j[i], "an image value", image[i])) return false;
    if (image[0] > 3) return Fail("the first image value (the operating mode) must be 0..3");
    return true;
  }
  const json* Member(const json& j, const char* key) {
    if (!j.is_object() || !j.contains(key)) {
      Fail(std::string("\"") + key + "\" is missing");
      return nullptr;
    }
    return &j[key];
  }
  bool Bool(const json& j, const char* what, bool& b) {
    if (!j.is_boolean()) return Fail(std::string(what) + " must be true or false");
    b = j.get<bool>();
    return true;
  }
  // An optional version; keeps v when absent.
  bool Version(const json& j, const char* key, uint16_t& v) {
    if (!j.is_object() || !j.contains(key)) return true;
    return Word(j[key], key, v);
  }
};

bool ImportBank(const json& in, Reader& r, int words, const ChunkVersions& defaults,
                std::vector<uint8_t>& out) {
  if (in.contains("revision")) {
    long rev = 0;
    if (!r.Int(in["revision"], "revision", 1, 1, rev)) return false;
  }
  uint16_t version = defaults.Get(kChunkXSNP);
  if (!r.Version(in, "version", version)) return false;
  BankData bank;
  const json* attributes = r.Member(in, "attributes");
  if (!attributes) return false;
  if (!attributes->is_array() || attributes->size() != kPresetsPerBank)
    return r.Fail("\"attributes\" has 60 values");
  for (int i = 0; i < kPresetsPerBank; ++i) {
    long v = 0;
    if (!r.Int((*attributes)[i], "an attribute", 0, 255, v)) return false;
    bank.attributes[i] = static_cast<uint8_t>(v);
  }
  const json* slots = r.Member(in, "slots");
  if (!slots) return false;
  if (!slots->is_array()) return r.Fail("\"slots\" must be a list");
  for (const json& s : *slots) {
    BankSlot slot;
    long number = 0;
    const json* n = r.Member(s, "slot");
    if (!n || !r.Int(*n, "slot", 1, kPresetsPerBank, number)) return false;
    slot.index = static_cast<int>(number - 1);
    if (!bank.slots.empty() && slot.index <= bank.slots.back().index)
      return r.Fail("slots must be in rising order");
    const json* name = r.Member(s, "name");
    const json* image = r.Member(s, "image");
    if (!name || !image || !r.Name(*name, "a slot name", slot.name) ||
        !r.Image(*image, words, slot.image))
      return false;
    bank.slots.push_back(std::move(slot));
  }
  int e = 0;
  out = BankBytes(bank, version, words, &e);
  if (e) return r.Fail("the bank does not fit in a bank image (Memory Full)");
  return true;
}

bool ImportSet(const json& in, Reader& r, int words, const ChunkVersions& defaults,
               std::vector<uint8_t>& out) {
  XcurData xcur;
  const json* preset = r.Member(in, "preset");
  if (!preset) return false;
  const json* number = r.Member(*preset, "number");
  const json* bank = r.Member(*preset, "bank");
  long n = 0;
  if (!number || !bank || !r.Int(*number, "preset number", 1, kPresetsPerBank, n)) return false;
  xcur.number = static_cast<uint16_t>(n - 1);
  if (*bank == "internal")
    xcur.bank = kInternalBank;
  else if (*bank == "card")
    xcur.bank = kCardBank;
  else
    return r.Fail("preset bank must be \"internal\" or \"card\"");
  bool edited = false, locked = false;
  const json* e = r.Member(in, "edited");
  const json* l = r.Member(in, "locked");
  const json* name = r.Member(in, "name");
  const json* image = r.Member(in, "image");
  if (!e || !l || !name || !image || !r.Bool(*e, "edited", edited) ||
      !r.Bool(*l, "locked", locked) || !r.Name(*name, "the preset name", xcur.name) ||
      !r.Image(*image, words, xcur.image))
    return false;
  xcur.edited = edited ? 1 : 0;
  xcur.locked = locked ? 1 : 0;

  XprbData xprb;
  const json* settings = r.Member(in, "settings");
  if (!settings) return false;
  if (!settings->is_array() || settings->size() != 5) return r.Fail("\"settings\" has 5 values");
  for (int i = 0; i < 5; ++i)
    if (!r.Word((*settings)[i], "a setting", xprb.values[i])) return false;

  XpreData xpre;
  const json* x = r.Member(in, "xpre");
  if (!x) return false;
  const json* a = r.Member(*x, "a");
  const json* b = r.Member(*x, "b");
  const json* t1 = r.Member(*x, "text1");
  const json* t2 = r.Member(*x, "text2");
  if (!a || !b || !t1 || !t2 || !r.Word(*a, "xpre a", xpre.a) || !r.Word(*b, "xpre b", xpre.b) ||
      !r.Name(*t1, "xpre text1", xpre.text1) || !r.Name(*t2, "xpre text2", xpre.text2))
    return false;

  SetVersions v{defaults.Get(kChunkXPCR), defaults.Get(kChunkXPRB), defaults.Get(kChunkXCUR),
                defaults.Get(kChunkXPRE)};
  if (in.contains("versions")) {
    const json& vs = in["versions"];
    if (!vs.is_object()) return r.Fail("\"versions\" must be an object");
    if (!r.Version(vs, "XPCR", v.xpcr) || !r.Version(vs, "XPRB", v.xprb) ||
        !r.Version(vs, "XCUR", v.xcur) || !r.Version(vs, "XPRE", v.xpre))
      return false;
  }
  out = SetBytes(xprb, xcur, xpre, v, words);
  return true;
}

}  // namespace

bool ExportJson(const ChunkFile& f, json& out, std::string& error) {
  if (f.kind == kFileBank) {
    json slots = json::array();
    for (const BankSlot& s : f.bank.data.slots)
      slots.push_back(
          {{"slot", s.index + 1}, {"name", NameJson(s.name)}, {"image", ImageJson(s.image)}});
    out = {{"kind", "bank"},
           {"revision", f.bank.header.revision},
           {"version", f.bank.header.version},
           {"attributes", json(f.bank.data.attributes)},
           {"slots", slots}};
    return true;
  }
  if (f.kind != kFileSet) {
    error = "a program file has no JSON form";
    return false;
  }
  const XprbData* xprb = f.First<XprbData>();
  const XcurData* xcur = f.First<XcurData>();
  const XpreData* xpre = f.First<XpreData>();
  if (!xprb || !xcur || !xpre) {
    error = "the set lacks one of its XPRB, XCUR and XPRE chunks";
    return false;
  }
  out = {{"kind", "set"},
         {"preset",
          {{"number", xcur->number + 1}, {"bank", xcur->bank == kCardBank ? "card" : "internal"}}},
         {"edited", xcur->edited != 0},
         {"locked", xcur->locked != 0},
         {"name", NameJson(xcur->name)},
         {"image", ImageJson(xcur->image)},
         {"settings", json(xprb->values)},
         {"xpre",
          {{"a", xpre->a},
           {"b", xpre->b},
           {"text1", NameJson(xpre->text1)},
           {"text2", NameJson(xpre->text2)}}},
         {"versions",
          {{"XPCR", f.set.header.version},
           {"XPRB", f.FirstHeader(kChunkXPRB)->version},
           {"XCUR", f.FirstHeader(kChunkXCUR)->version},
           {"XPRE", f.FirstHeader(kChunkXPRE)->version}}}};
  return true;
}

bool ImportJson(const json& in, int words, const ChunkVersions& defaults, std::vector<uint8_t>& out,
                int& fileType, std::string& error) {
  Reader r{error};
  const json* kind = r.Member(in, "kind");
  if (!kind) return false;
  if (*kind == "bank") {
    fileType = kFileBank;
    return ImportBank(in, r, words, defaults, out);
  }
  if (*kind == "set") {
    fileType = kFileSet;
    return ImportSet(in, r, words, defaults, out);
  }
  return r.Fail("\"kind\" must be \"bank\" or \"set\"");
}

}  // namespace korvan::tool
