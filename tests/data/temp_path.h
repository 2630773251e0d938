// Temporary file paths that no other test writes, even when tests run side by side in several
// processes or several checkouts.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <string>

namespace datatest {

// `fileName` in the temporary directory, prefixed with the process id and the running test's
// suite and name.
inline std::string TestTempPath(const std::string& fileName) {
  const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
  std::string prefix = std::to_string(getpid());
  if (test != nullptr) prefix += std::string("_") + test->test_suite_name() + "_" + test->name();
  std::replace(prefix.begin(), prefix.end(), '/', '_');
  return testing::TempDir() + prefix + "_" + fileName;
}

}  // namespace datatest
