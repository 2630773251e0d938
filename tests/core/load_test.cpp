// Loading forms from embedded resources: the class chain, load batches and missing resources.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "core/exceptions.h"
#include "tests/core/stream_builder.h"
#include "tests/core/test_classes.h"

namespace coretest {
namespace {

std::string Stream(std::string_view cls, std::string_view child, int inheritedPrefix) {
  StreamBuilder b;
  b.Signature().Object(cls, "ResForm").Prop("Caption").Short(cls).End();
  if (inheritedPrefix >= 0) {
    b.Object("TTestComponent", "Child1", inheritedPrefix).Prop("Tag").Int8(1).End().End();
  }
  b.Object("TTestComponent", child).End().End();
  b.End();
  return b.Bytes();
}

const std::string kBase = Stream("TResForm", "Child1", -1);
const std::string kDerived = Stream("TResForm2", "Child2", 1);

const platform::ResourceEntry kEntries[] = {
    {10, nullptr, 0, "TRESFORM", reinterpret_cast<const platform::BYTE*>(kBase.data()),
     static_cast<platform::DWORD>(kBase.size())},
    {10, nullptr, 0, "TRESFORM2", reinterpret_cast<const platform::BYTE*>(kDerived.data()),
     static_cast<platform::DWORD>(kDerived.size())},
};
const platform::ModuleRecord kModule = {"load_test", kEntries, 2};

TEST(LoadFormResources, ReadsTheClassChainMostDistantFirstInOneBatch) {
  platform::RegisterModule(kModule);
  TResForm2 form(nullptr);
  Log().clear();
  EXPECT_TRUE(LoadFormResources(&form, ClassOf<TTestForm>()));
  EXPECT_EQ(form.Caption(), "TResForm2");
  ASSERT_NE(form.Child1, nullptr);
  EXPECT_EQ(form.Child1->Tag(), 1);
  ASSERT_NE(form.Child2, nullptr);
  EXPECT_EQ(form.ComponentCount(), 2);
  std::vector<AnsiString> afterLoads;
  for (const AnsiString& line : Log()) {
    if (line.rfind("after-load", 0) == 0) afterLoads.push_back(line);
  }
  // Each component once, after both resources were read.
  EXPECT_EQ(afterLoads, (std::vector<AnsiString>{"after-load ResForm", "after-load Child1",
                                                 "after-load Child2"}));
}

TEST(LoadFormResources, AClassWithoutResourcesFindsNone) {
  TTestForm form(nullptr);
  EXPECT_FALSE(LoadFormResources(&form, ClassOf<TComponent>()));
  // The form construction turns that into the error.
  EXPECT_THROW(TResourceStream(nullptr, "TTESTFORM", platform::RT_RCDATA), EResNotFound);
}

}  // namespace
}  // namespace coretest

namespace coretest {
namespace {

// A stream of the fuzz corpus, positioned at its start; empty when the file is missing.
void ReadCorpusFile(const char* name, TMemoryStream& stream) {
  const char* root = std::getenv("VELMORA_SOURCE_DIR");
  std::string path = std::string(root ? root : ".") + "/tests/core/corpus/" + name;
  std::ifstream file(path, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  stream.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
  stream.SetPosition(0);
}

// The fuzz seed that uses every property kind must itself be a valid stream.
TEST(FuzzSeed, TheFullFormSeedLoads) {
  TMemoryStream stream;
  ReadCorpusFile("full_form", stream);
  ASSERT_GT(stream.Size(), 0);
  TTestForm form(nullptr);
  form.CreateSub();
  ReadRootFromStream(stream, &form);
  EXPECT_EQ(stream.Position(), stream.Size());
  ASSERT_NE(form.Child1, nullptr);
  EXPECT_EQ(form.Child1->Link(), form.Child2);
  EXPECT_EQ(form.Items()->Count(), 2);
  EXPECT_EQ(form.Lines()->Count(), 2);
  EXPECT_EQ(form.Sub()->Caption(), "s");
  EXPECT_EQ(form.Child1->FindComponent("Inner"), nullptr);  // the root owns nested children
  EXPECT_NE(form.FindComponent("Inner"), nullptr);
}

// Compiled from data/mutual_links.txt. Two components that refer to each other each hold a
// registration of their own: when the form frees the second and it drops its registration, the
// first must still hear of it and let go, rather than touch freed memory when it goes itself.
TEST(FuzzSeed, ComponentsThatReferToEachOtherEachHearOfTheOthersRemoval) {
  TMemoryStream stream;
  ReadCorpusFile("mutual_links", stream);
  ASSERT_GT(stream.Size(), 0);
  auto form = std::make_unique<TTestForm>(nullptr);
  ReadRootFromStream(stream, form.get());
  ASSERT_NE(form->Child1, nullptr);
  ASSERT_EQ(form->Child1->Link(), form->Child2);
  ASSERT_EQ(form->Child2->Link(), form->Child1);
  Log().clear();
  form.reset();
  EXPECT_NE(std::find(Log().begin(), Log().end(), "notice Child1 remove Child2"), Log().end());
}

}  // namespace
}  // namespace coretest
