// Keeping the stored characters of the text an edit did not change.
#include "data/ado_text_merge.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/codepage.h"
#include "platform/display_text.h"

namespace {

constexpr char16_t kArabicYeh = 0x064A;
constexpr char16_t kFarsiYeh = 0x06CC;
constexpr unsigned char kYehByte = 0xED;
// Beyond this many inserted and deleted bytes the edit is taken as one replaced stretch; it keeps
// the search's memory to a few megabytes.
constexpr int kMaxDistance = 1000;

// `before` in the code page, with the index into `before` of the first character each byte came
// from. A character the code page drops (a mark) goes with the byte before it.
struct Encoded {
  std::string bytes;
  std::vector<std::size_t> from;  // per byte: first character of its stretch
  std::vector<std::size_t> to;    // per byte: one past the last character of its stretch
};

bool IsHighSurrogate(char16_t c) {
  return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLowSurrogate(char16_t c) {
  return c >= 0xDC00 && c <= 0xDFFF;
}

Encoded Encode(std::u16string_view before) {
  Encoded out;
  std::size_t i = 0;
  while (i < before.size()) {
    std::size_t next = i + 1;
    if (IsHighSurrogate(before[i]) && next < before.size() && IsLowSurrogate(before[next])) ++next;
    const std::string bytes = platform::WideToAnsi(before.substr(i, next - i));
    if (bytes.empty()) {
      if (!out.to.empty()) out.to.back() = next;
    } else {
      for (std::size_t k = 0; k < bytes.size(); ++k) {
        out.bytes += bytes[k];
        // Leading dropped characters go with the first byte.
        out.from.push_back(out.from.empty() ? 0 : i);
        out.to.push_back(next);
      }
    }
    i = next;
  }
  return out;
}

// For each byte of `b`, the index of the byte of `a` it is kept from, or -1 for an inserted
// byte: a shortest edit script between the two (the greedy forward search), or nothing kept when
// it would be longer than kMaxDistance.
std::vector<std::ptrdiff_t> KeptBytes(std::string_view a, std::string_view b) {
  std::vector<std::ptrdiff_t> kept(b.size(), -1);
  const int n = static_cast<int>(a.size());
  const int m = static_cast<int>(b.size());
  const int limit = std::min(n + m, kMaxDistance);
  // trace[d] holds the furthest x on each diagonal k = -d .. d after d edits, at k + d.
  std::vector<std::vector<int>> trace;
  std::vector<int> previous;
  int found = -1;
  for (int d = 0; d <= limit && found < 0; ++d) {
    std::vector<int> current(static_cast<std::size_t>(2 * d + 1));
    for (int k = -d; k <= d; k += 2) {
      int x;
      if (d == 0) {
        x = 0;
      } else if (k == -d || (k != d && previous[k - 1 + (d - 1)] < previous[k + 1 + (d - 1)])) {
        x = previous[k + 1 + (d - 1)];  // down: a byte of b inserted
      } else {
        x = previous[k - 1 + (d - 1)] + 1;  // right: a byte of a deleted
      }
      int y = x - k;
      while (x < n && y < m && a[x] == b[y]) {
        ++x;
        ++y;
      }
      current[k + d] = x;
      if (x >= n && y >= m) found = d;
    }
    trace.push_back(current);
    previous = std::move(current);
  }
  if (found < 0) return kept;
  // Back from the end, marking the diagonal runs.
  int x = n;
  int y = m;
  for (int d = found; d >= 0; --d) {
    const int k = x - y;
    int startX = 0;
    int startY = 0;
    if (d > 0) {
      const std::vector<int>& before = trace[static_cast<std::size_t>(d - 1)];
      const bool down = k == -d || (k != d && before[k - 1 + (d - 1)] < before[k + 1 + (d - 1)]);
      const int previousK = down ? k + 1 : k - 1;
      const int previousX = before[previousK + (d - 1)];
      startX = down ? previousX : previousX + 1;
      startY = startX - k;
      while (x > startX && y > startY) kept[static_cast<std::size_t>(--y)] = --x;
      x = previousX;
      y = previousX - previousK;
    } else {
      while (x > 0 && y > 0) kept[static_cast<std::size_t>(--y)] = --x;
    }
  }
  return kept;
}

// The yeh inserted text is stored with, decided once per edit.
char16_t InsertedYeh(std::u16string_view before) {
  if (before.find(kFarsiYeh) != std::u16string_view::npos) return kFarsiYeh;
  if (before.find(kArabicYeh) != std::u16string_view::npos) return kArabicYeh;
  const std::u16string shown =
      platform::Utf8ToWide(platform::AnsiToDisplayUtf8(std::string(1, char(kYehByte))));
  return shown.size() == 1 ? shown[0] : kArabicYeh;
}

}  // namespace

std::u16string MergeEditedText(std::u16string_view before, std::string_view editedText) {
  // A memo shows every line break as CR LF; text stored with bare LF keeps its form.
  std::string bareBreaks;
  if (before.find(u'\n') != std::u16string_view::npos &&
      before.find(u"\r\n") == std::u16string_view::npos) {
    bareBreaks.reserve(editedText.size());
    for (std::size_t i = 0; i < editedText.size(); ++i) {
      if (editedText[i] == '\r' && i + 1 < editedText.size() && editedText[i + 1] == '\n') continue;
      bareBreaks += editedText[i];
    }
    editedText = bareBreaks;
  }
  const std::string_view edited = editedText;
  const Encoded encoded = Encode(before);
  if (encoded.bytes == edited) return std::u16string(before);

  // The common ends need no search.
  std::size_t prefix = 0;
  while (prefix < encoded.bytes.size() && prefix < edited.size() &&
         encoded.bytes[prefix] == edited[prefix]) {
    ++prefix;
  }
  std::size_t suffix = 0;
  while (suffix < encoded.bytes.size() - prefix && suffix < edited.size() - prefix &&
         encoded.bytes[encoded.bytes.size() - 1 - suffix] == edited[edited.size() - 1 - suffix]) {
    ++suffix;
  }
  std::vector<std::ptrdiff_t> kept(edited.size(), -1);
  for (std::size_t i = 0; i < prefix; ++i) kept[i] = static_cast<std::ptrdiff_t>(i);
  for (std::size_t i = 0; i < suffix; ++i) {
    kept[edited.size() - 1 - i] = static_cast<std::ptrdiff_t>(encoded.bytes.size() - 1 - i);
  }
  const std::vector<std::ptrdiff_t> middle = KeptBytes(
      std::string_view(encoded.bytes).substr(prefix, encoded.bytes.size() - prefix - suffix),
      edited.substr(prefix, edited.size() - prefix - suffix));
  for (std::size_t i = 0; i < middle.size(); ++i) {
    if (middle[i] >= 0) kept[prefix + i] = middle[i] + static_cast<std::ptrdiff_t>(prefix);
  }

  const char16_t yeh = InsertedYeh(before);
  std::u16string out;
  out.reserve(edited.size());
  for (std::size_t j = 0; j < edited.size(); ++j) {
    if (kept[j] >= 0) {
      const auto i = static_cast<std::size_t>(kept[j]);
      // A character that took several bytes is written once, with its first byte; a later byte
      // kept without the first is converted like an inserted one.
      if (i == 0 || encoded.from[i - 1] != encoded.from[i]) {
        out.append(before.substr(encoded.from[i], encoded.to[i] - encoded.from[i]));
        continue;
      }
      if (j > 0 && kept[j - 1] == kept[j] - 1) continue;
    }
    const auto byte = static_cast<unsigned char>(edited[j]);
    out += byte == kYehByte ? yeh : platform::AnsiCharToWide(byte);
  }
  return out;
}
