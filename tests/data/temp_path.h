// Temporary file paths that no other test writes, even when tests run side by side in several
// processes or several checkouts.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "tests/fixtures/scratch_folder.h"

namespace datatest {

// `fileName` in this process's scratch folder (removed when the process exits), prefixed with
// the running test's suite and name.
inline std::string TestTempPath(const std::string& fileName) {
  const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
  std::string prefix = "run";
  if (test != nullptr) prefix = std::string(test->test_suite_name()) + "_" + test->name();
  std::replace(prefix.begin(), prefix.end(), '/', '_');
  return (fixtures::ProcessScratchFolder() / (prefix + "_" + fileName)).string();
}

}  // namespace datatest
