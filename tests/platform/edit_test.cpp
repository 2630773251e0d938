// The edit control: typing, notices, selection and painting in single-line edits.
#include <gtest/gtest.h>

#include "tests/platform/edit_fixture.h"

namespace platform {
namespace {

TEST_F(EditTest, TypingIntoASingleLineEditRaisesOneChangePerKeystroke) {
  MakeEdit(ES_AUTOHSCROLL, WS_EX_RTLREADING | WS_EX_RIGHT, 200, 22);
  Type("س");
  EXPECT_EQ(Count(EN_CHANGE), 1);
  Type("لام");
  EXPECT_EQ(Text(), "سلام");
  SavePicture("edit_single");
}

}  // namespace
}  // namespace platform
