// Fuzzes the stream decoder; whatever it accepts must print and compile back to the same bytes.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tools/formc/binary.h"
#include "tools/formc/text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string stream(reinterpret_cast<const char*>(data), size);
  formc::ObjectRecord root;
  try {
    root = formc::DecodeStream(stream);
  } catch (const formc::StreamError&) {
    return 0;
  }
  std::string text = formc::PrintText(root);
  std::string again = formc::EncodeStream(formc::ParseText(text, "/nonexistent"));
  if (again != stream) {
    std::fprintf(stderr, "round trip changed the stream; description:\n%s\n", text.c_str());
    std::abort();
  }
  return 0;
}
