// libFuzzer entry point; the build names the check this fuzzer runs (WOLUMETR_FUZZ_CHECK).
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "fuzz_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  try {
    wolumetr::fuzz::WOLUMETR_FUZZ_CHECK(bytes);
  } catch (const wolumetr::fuzz::CheckFailure& failure) {
    std::fprintf(stderr, "check failed: %s\n", failure.what());
    std::abort();
  }
  return 0;
}
