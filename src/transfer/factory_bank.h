#pragma once
// The built-in factory bank: one XSNP chunk made at build time from data/factory_bank.txt.

#include <cstdint>
#include <span>

namespace korvan {

std::span<const uint8_t> FactoryBank();

}  // namespace korvan
