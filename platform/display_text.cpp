// The Persian display mapping of single-byte text.
#include "platform/display_text.h"

#include "platform/codepage.h"
#include "platform/locale.h"

namespace platform {
namespace {

constexpr unsigned char kYeh = 0xED;
constexpr char32_t kFarsiYeh = 0x06CC;

}  // namespace

std::string AnsiToDisplayUtf8(std::string_view ansi) {
  if (PRIMARYLANGID(LANGIDFROMLCID(GetThreadLocale())) != LANG_PERSIAN ||
      ansi.find(char(kYeh)) == std::string_view::npos) {
    return AnsiToUtf8(ansi);
  }
  std::string out;
  out.reserve(ansi.size() * 2);
  std::size_t from = 0;
  for (std::size_t i = 0; i <= ansi.size(); ++i) {
    if (i < ansi.size() && static_cast<unsigned char>(ansi[i]) != kYeh) continue;
    out += AnsiToUtf8(ansi.substr(from, i - from));
    if (i < ansi.size()) AppendUtf8(out, kFarsiYeh);
    from = i + 1;
  }
  return out;
}

}  // namespace platform
