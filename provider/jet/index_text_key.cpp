// Text index keys.
#include "provider/jet/index_text_key.h"

namespace provider::jet {

Result<std::vector<std::uint8_t>> EncodeTextKey(std::u16string_view text, JetVersion version) {
  (void)text;
  (void)version;
  return Status::NotSupported("Text index keys are not encoded yet.", "index key");
}

}  // namespace provider::jet
