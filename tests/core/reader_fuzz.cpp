// Reads arbitrary bytes as a component stream into the test classes: any outcome but a clean
// exception of the framework is a failure.
#include <cstddef>
#include <cstdint>

#include "core/exceptions.h"
#include "tests/core/test_classes.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TMemoryStream stream;
  stream.WriteBuffer(data, static_cast<std::int64_t>(size));
  stream.SetPosition(0);
  try {
    coretest::TTestForm form(nullptr);
    form.CreateSub();
    ReadRootFromStream(stream, &form);
  } catch (const Exception&) {
  }
  stream.SetPosition(0);
  try {
    std::unique_ptr<TComponent> root(ReadRootFromStream(stream, nullptr));
  } catch (const Exception&) {
  }
  return 0;
}
