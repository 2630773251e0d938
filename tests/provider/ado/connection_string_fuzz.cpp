// Any text given as a connection string parses or is refused with the malformed-string message;
// what parses resolves without fault.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "provider/connection_string.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  auto parsed = provider::ConnectionString::Parse(text);
  if (!parsed.ok()) {
    if (parsed.status().message() != provider::kMalformedConnectionString) std::abort();
    return 0;
  }
  for (const auto& [key, value] : parsed.value().Entries()) {
    if (key.empty() || parsed.value().Find(key) == nullptr) std::abort();
  }
  (void)provider::ResolveJetSettings(parsed.value(), "", provider::adModeUnknown);
  return 0;
}
