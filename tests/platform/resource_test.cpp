// Finding embedded resources by type and name.
#include "platform/resource.h"

#include <gtest/gtest.h>

#include <string_view>

namespace platform {
namespace {

const BYTE kForm[] = {'T', 'P', 'F', '0'};
const BYTE kGlyph[] = {1, 2, 3};

const ResourceEntry kEntries[] = {
    {10, nullptr, 0, "TMAIN", kForm, sizeof kForm},
    {2, nullptr, 0, "DBN_PRIOR", kGlyph, sizeof kGlyph},
    {0, "CUSTOM", 7, nullptr, kGlyph, 2},
};
const ModuleRecord kModule = {"resource_test", kEntries, std::size(kEntries)};
const bool kRegistered = (RegisterModule(kModule), true);

TEST(Resource, FoundByTypeAndNameWithoutRegardToCase) {
  ASSERT_TRUE(kRegistered);
  HRSRC r = FindResourceA(nullptr, "tMain", RT_RCDATA);
  ASSERT_NE(r, nullptr);
  HGLOBAL loaded = LoadResource(nullptr, r);
  EXPECT_EQ(
      std::string_view(static_cast<const char*>(LockResource(loaded)), SizeofResource(nullptr, r)),
      "TPF0");
}

TEST(Resource, TypeMustMatch) {
  EXPECT_EQ(FindResourceA(nullptr, "TMAIN", RT_BITMAP), nullptr);
  EXPECT_NE(FindResourceA(nullptr, "DBN_PRIOR", RT_BITMAP), nullptr);
  EXPECT_EQ(FindResourceA(nullptr, "MISSING", RT_RCDATA), nullptr);
}

TEST(Resource, IntegerNamesAndNamedTypes) {
  EXPECT_NE(FindResourceA(nullptr, MAKEINTRESOURCEA(7), "custom"), nullptr);
  EXPECT_NE(FindResourceA(nullptr, "#7", "CUSTOM"), nullptr);
  EXPECT_EQ(FindResourceA(nullptr, "#8", "CUSTOM"), nullptr);
}

TEST(Resource, ModuleHandleRestrictsTheSearch) {
  HMODULE m = GetModuleHandleA("RESOURCE_TEST");
  ASSERT_EQ(m, &kModule);
  EXPECT_NE(FindResourceA(m, "TMAIN", RT_RCDATA), nullptr);
  EXPECT_EQ(GetModuleHandleA("other"), nullptr);
}

}  // namespace
}  // namespace platform
