// Engine results: the early return on failure and the guard against reading a failed value.
#include "provider/status.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using provider::Result;
using provider::Status;

// Adds the lengths of two names, each looked up by a step that may fail.
Result<std::size_t> NameLength(const std::string& name) {
  if (name.empty()) return Status::InvalidArgument("A name is empty.", "argument");
  return name.size();
}

Result<std::size_t> TotalLength(const std::string& a, const std::string& b, int& steps) {
  ++steps;
  Result<std::size_t> first = NameLength(a);
  VELMORA_RETURN_IF_ERROR(first);
  ++steps;
  VELMORA_RETURN_IF_ERROR(NameLength(b));
  ++steps;
  return first.value() + b.size();
}

TEST(StatusTest, TheFirstFailureIsReturnedAndNothingAfterItRuns) {
  struct Case {
    const char* a;
    const char* b;
    bool ok;
    int steps;
  };
  const Case cases[] = {
      {"kolliyat", "id", true, 3},
      {"", "id", false, 1},
      {"kolliyat", "", false, 2},
  };
  for (const Case& c : cases) {
    int steps = 0;
    Result<std::size_t> total = TotalLength(c.a, c.b, steps);
    EXPECT_EQ(total.ok(), c.ok) << c.a << "+" << c.b;
    EXPECT_EQ(steps, c.steps) << c.a << "+" << c.b;
    if (!c.ok) {
      EXPECT_EQ(total.status().ToString(), "A name is empty. (argument)");
    }
  }
}

TEST(StatusDeathTest, ReadingTheValueOfAFailedResultEndsTheProgram) {
  Result<int> failed = Status::NotFound("No such table.", "catalog");
  EXPECT_DEATH(failed.value(), "No such table. \\(catalog\\)");
  EXPECT_DEATH(failed.take(), "No such table");
}

}  // namespace
