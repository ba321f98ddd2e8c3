// Every test starts with the program's module-wide values as a new process
// has them.
#include <gtest/gtest.h>

#include "common/module_state.h"

namespace {

class ResetModuleState : public ::testing::EmptyTestEventListener {
  void OnTestStart(const ::testing::TestInfo&) override { lyn::ResetModuleState(); }
};

const bool kRegistered = [] {
  ::testing::UnitTest::GetInstance()->listeners().Append(new ResetModuleState);
  return true;
}();

}  // namespace
