// Set images (XPCR holding XPRB, XCUR, XPRE and other chunks) loaded from disk or received.

#include "reader_fuzz_session.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const unsigned medium = size > 0 && (data[size - 1] & 1) ? 1u : 0u;
  korvan::fuzz::UnpackInput(1, medium, data, size);
  return 0;
}
