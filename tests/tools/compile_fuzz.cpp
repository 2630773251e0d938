// Fuzzes the description parser: any text gives a stream or a clean error, and a stream it
// gives decodes to the tree it was encoded from.
#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <string>

#include "tools/formc/binary.h"
#include "tools/formc/text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  std::string stream;
  try {
    stream = formc::EncodeStream(formc::ParseText(text, "/nonexistent"));
  } catch (const formc::SourceError&) {
    return 0;
  } catch (const std::invalid_argument&) {
    return 0;
  }
  if (formc::EncodeStream(formc::DecodeStream(stream)) != stream) std::abort();
  return 0;
}
