// A form description compiled by the form compiler at build time, embedded into this program by
// the resource embedder, and read back by class name: the whole path a window takes at start-up.
#include <gtest/gtest.h>

#include "core/classes.h"
#include "core/reader.h"
#include "platform/codepage.h"
#include "tests/core/test_classes.h"

namespace coretest {
namespace {

class TPipelineForm : public TTestForm {
 public:
  using TTestForm::TTestForm;
};

[[maybe_unused]] const auto kPipelineForm =
    RegisterClass<TPipelineForm, TTestForm>("TPipelineForm");

TEST(FormPipeline, EmbeddedDescriptionBuildsTheForm) {
  TPipelineForm form(nullptr);
  ASSERT_TRUE(LoadFormResources(&form, ClassOf<TTestForm>()));

  EXPECT_EQ(form.Name(), "PipelineForm");
  EXPECT_EQ(form.Caption(), platform::Utf8ToAnsi(".: کليات :."));
  EXPECT_EQ(form.Hint(), platform::Utf8ToWide("منبع نمونه ۳"));
  EXPECT_EQ(form.Font()->Name(), "Tahoma");
  EXPECT_EQ(form.Font()->Style(), TFontStyles{TFontStyle::fsBold});
  EXPECT_EQ(form.Font()->Charset(), 178);
  EXPECT_EQ(form.Lines()->Text(), "SELECT *\r\nFROM kolliyat;\r\n");

  ASSERT_NE(form.Child1, nullptr);
  ASSERT_NE(form.Child2, nullptr);
  EXPECT_EQ(form.Child1->Color(), 0x000080);
  EXPECT_EQ(form.Child1->Link(), form.Child2);
  EXPECT_EQ(form.Child2->Tag(), 7);
  ASSERT_EQ(form.Child1->Items()->Count(), 1);
  auto* column = static_cast<TTestItem*>(form.Child1->Items()->Items(0));
  EXPECT_EQ(column->Caption(), platform::Utf8ToAnsi("عنوان"));
  EXPECT_EQ(column->Width(), 300);

  form.Child1->OnClick(form.Child1);
  EXPECT_EQ(form.clicks, std::vector<TObject*>{form.Child1});
}

}  // namespace
}  // namespace coretest
