// jetdb synth N OUT.mdb: a database of the topic tables' shape with N synthetic records each.
#include "tools/jetdb/synth_command.h"

#include <cstdio>
#include <cstdlib>
#include <random>

#include "tools/jetdb/build_command.h"
#include "tools/jetdb/commands.h"

namespace jetdb {

namespace {

// Everyday words, both yeh forms among them, so that text and search behave as on real data.
constexpr const char16_t* kWords[] = {
    u"پرسش",   u"پاسخ",
    u"زندگی",  u"انسان",
    u"جهان",   u"معنا",
    u"باور",   u"کار",
    u"روز",    u"راه",
    u"دل",     u"سخن",
    u"نکته",   u"یاد",
    u"دانش",   u"اندیشه",
    u"رفتار",  u"نتیجه",
    u"آینده",  u"گذشته",
    u"امروز",  u"همه",
    u"برخی",   u"بسیار",
    u"کمی",    u"دیگر",
    u"این",    u"آن",
    u"که",     u"را",
    u"با",     u"از",
    u"به",     u"در",
    u"برای",   u"است",
    u"نیست",   u"می‌شود",
    u"دارد",   u"ندارد",
    u"گفته",   u"دیده",
    u"خواهد",  u"بود",
    u"شد",     u"كار",
    u"يك",     u"ديگر",
    u"روشن",   u"ساده",
    u"دشوار",  u"نزدیک",
    u"دور",    u"درست",
    u"نادرست", u"پایان",
    u"آغاز",   u"سرانجام",
    u"هدف",    u"نمونه",
    u"منبع",   u"۱۲",
    u"2026",   u"«نمونه»",
};

class TextSource {
 public:
  explicit TextSource(std::uint32_t seed) : random_(seed) {}

  // An integer in [low, high], the same sequence on every platform (no std distribution).
  std::size_t Between(std::size_t low, std::size_t high) {
    return low + static_cast<std::size_t>(random_() % (high - low + 1));
  }

  std::u16string Word() { return kWords[Between(0, std::size(kWords) - 1)]; }

  std::u16string Sentence(char16_t end) {
    std::u16string sentence;
    const std::size_t words = Between(6, 16);
    for (std::size_t i = 0; i < words; ++i) {
      if (i > 0) sentence += i % 7 == 6 ? u"، " : u" ";
      sentence += Word();
    }
    return sentence + end;
  }

  std::u16string Title() {
    const std::size_t target = Between(20, 79);
    std::u16string title = Word();
    while (title.size() < target) {
      std::u16string next = title + u" " + Word();
      if (next.size() > 79) break;
      title = std::move(next);
    }
    return title.substr(0, 79) + u"؟";
  }

  std::u16string Sentences(std::size_t low, std::size_t high, char16_t end) {
    std::u16string text;
    const std::size_t count = Between(low, high);
    for (std::size_t i = 0; i < count; ++i) text += (i > 0 ? u" " : u"") + Sentence(end);
    return text;
  }

 private:
  std::mt19937 random_;
};

}  // namespace

std::vector<ContentRecord> SynthesizeRecords(std::size_t count, std::uint32_t seed) {
  TextSource source(seed);
  std::vector<ContentRecord> records(count);
  for (ContentRecord& record : records) {
    record.kholase = source.Title();
    record.porsesh = source.Sentences(1, 3, u'؟');
    std::u16string answer;
    const std::size_t paragraphs = source.Between(1, 5);
    for (std::size_t i = 0; i < paragraphs; ++i)
      answer += (i > 0 ? u"\r\n\r\n" : u"") + source.Sentences(2, 6, u'.');
    record.pasokh = std::move(answer);
    if (source.Between(1, 5) != 1)
      record.pavaraghi = u"منبع نمونه " + source.Word() + u"، ص " +
                         std::u16string(1, static_cast<char16_t>(u'۰' + source.Between(1, 9)));
  }
  return records;
}

int RunSynth(const std::vector<std::string>& args) {
  if (args.size() != 2) {
    std::fprintf(stderr, "jetdb synth: expected N OUT.mdb\n");
    return 2;
  }
  char* end = nullptr;
  const unsigned long long count = std::strtoull(args[0].c_str(), &end, 10);
  if (args[0].empty() || *end != '\0' || args[0][0] == '-' || count > 100000) {
    std::fprintf(stderr, "jetdb synth: N must be a number of records from 0 to 100000\n");
    return 2;
  }
  std::vector<TopicTable> tables;
  std::uint32_t seed = 1;
  for (const std::string& name : TopicTableNames())
    tables.push_back({name, SynthesizeRecords(static_cast<std::size_t>(count), seed++)});
  provider::Status status = WriteTopicDatabase(tables, args[1], BuildTime());
  if (!status.ok()) {
    std::fprintf(stderr, "jetdb synth: %s\n", status.ToString().c_str());
    return 1;
  }
  return 0;
}

}  // namespace jetdb
