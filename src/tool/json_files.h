#pragma once
// Banks and sets as JSON (korvan-tool file export / file import). The JSON keeps everything a
// file the editor writes carries, chunk versions included, so import(export(F)) gives F back.

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "tool/chunk_file.h"

namespace korvan::tool {

// The JSON of a bank or a set file; false (with error) for a program file or a set that lacks
// one of its three chunks.
bool ExportJson(const ChunkFile& file, nlohmann::json& out, std::string& error);

// The bytes of the bank or set file a JSON describes. Versions missing from the JSON are taken
// from defaults (the editor's table after start-up). Anything the editor's readers would refuse
// is refused here, with error saying what.
bool ImportJson(const nlohmann::json& in, int imageWords, const ChunkVersions& defaults,
                std::vector<uint8_t>& out, int& fileType, std::string& error);

}  // namespace korvan::tool
