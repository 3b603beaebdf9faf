#pragma once
#include "cashreport/CashReportRequest.h"
#include "testing/EngineFolder.h"

#include <gtest/gtest.h>
#include <string>
#include <tuple>
#include <vector>

namespace ravelt::testing {

// The parameter of the tests that cover both ways of computing the amounts on every
// engine the test binary covers: the engine the folder's stores live on, and the path.
using EngineAndPath = std::tuple<Engine, AmountsPath>;

// Each engine under test with the statements and with the set-based path.
std::vector<EngineAndPath> enginesAndPaths();

// "Sqlite_Statements", "Server_Period"...: the parameter as test names show it.
std::string engineAndPathName(const ::testing::TestParamInfo<EngineAndPath>& info);

}
