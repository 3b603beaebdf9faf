#include "cashreport/tests/EngineAndPath.h"

namespace ravelt::testing {

std::vector<EngineAndPath> enginesAndPaths()
{
    std::vector<EngineAndPath> all;
    for (Engine engine : enginesUnderTest())
        for (AmountsPath path : {AmountsPath::Statements, AmountsPath::Period})
            all.emplace_back(engine, path);
    return all;
}

std::string engineAndPathName(const ::testing::TestParamInfo<EngineAndPath>& info)
{
    const AmountsPath path = std::get<1>(info.param);
    return engineName(std::get<0>(info.param)) + (path == AmountsPath::Statements ? "_Statements" : "_Period");
}

}
