// Single-byte text as it is shown: the UTF-8 handed to the shaper, with the Persian display
// mapping.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// The system code page's text as UTF-8 for shaping and drawing. Under a Persian thread locale
// byte 0xED, the code page's only yeh, is shown as Farsi yeh U+06CC (no dots when final or
// alone) instead of Arabic yeh U+064A; under any other locale the text converts as it is.
// Only what is drawn changes: stored text, positions and lengths stay those of the bytes,
// and both yehs take two UTF-8 bytes, so offsets into either form agree.
std::string AnsiToDisplayUtf8(std::string_view ansi);

}  // namespace platform
