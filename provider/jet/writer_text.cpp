// Text as Jet 4 stores it: UCS-2, or the compressed form where that is shorter.
#include "provider/jet/writer_text.h"

namespace provider::jet {

namespace {

bool FitsOneByte(char16_t c) {
  return c >= 0x01 && c <= 0xFF;
}

void AppendWide(std::vector<std::uint8_t>& out, char16_t c) {
  out.push_back(static_cast<std::uint8_t>(c));
  out.push_back(static_cast<std::uint8_t>(c >> 8));
}

// Runs of characters that fit one byte, and of those that do not.
struct Run {
  std::size_t start;
  std::size_t length;
  bool narrow;
};

std::vector<Run> SplitRuns(std::u16string_view text) {
  std::vector<Run> runs;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool narrow = FitsOneByte(text[i]);
    if (runs.empty() || runs.back().narrow != narrow)
      runs.push_back({i, 1, narrow});
    else
      ++runs.back().length;
  }
  return runs;
}

// The compressed form, or an empty vector when some character cannot be written in it: a
// two-byte character whose low byte is 0 would read as the mode switch.
std::vector<std::uint8_t> Compress(std::u16string_view text) {
  for (char16_t c : text)
    if (!FitsOneByte(c) && (c & 0xFF) == 0) return {};
  const std::vector<Run> runs = SplitRuns(text);
  std::vector<std::uint8_t> out = {0xFF, 0xFE};
  bool narrowMode = true;
  for (std::size_t r = 0; r < runs.size(); ++r) {
    const Run& run = runs[r];
    bool narrow = run.narrow;
    // Leaving wide mode for a short narrow run costs a switch each way: worth it from three
    // characters on, or from two at the end, where no switch back follows.
    if (narrow && !narrowMode) {
      const bool last = r + 1 == runs.size();
      narrow = run.length >= 3 || (last && run.length >= 2);
    }
    if (narrow != narrowMode) {
      out.push_back(0x00);
      narrowMode = narrow;
    }
    for (std::size_t i = run.start; i < run.start + run.length; ++i) {
      if (narrowMode)
        out.push_back(static_cast<std::uint8_t>(text[i]));
      else
        AppendWide(out, text[i]);
    }
  }
  return out;
}

}  // namespace

Result<std::vector<std::uint8_t>> EncodeJetText(std::u16string_view text) {
  std::vector<std::uint8_t> compressed = Compress(text);
  const bool plainMisreads = !text.empty() && text[0] == 0xFEFF;
  if (plainMisreads && compressed.empty())
    return Status::InvalidArgument("Text that starts with U+FEFF cannot be stored.", "text");
  if (!compressed.empty() && (plainMisreads || compressed.size() < 2 * text.size()))
    return compressed;
  std::vector<std::uint8_t> plain;
  plain.reserve(2 * text.size());
  for (char16_t c : text) AppendWide(plain, c);
  return plain;
}

}  // namespace provider::jet
