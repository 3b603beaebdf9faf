#include "testing/EngineFolder.h"

#include "platform/AtomicFile.h"
#include "platform/StoreLocation.h"
#include "platform/StoreSchema.h"
#include "testing/PgTestServer.h"

#include <stdexcept>

namespace ravelt::testing {

std::string engineName(Engine engine)
{
    return engine == Engine::Server ? "Server" : "Sqlite";
}

std::string engineParamName(const ::testing::TestParamInfo<Engine>& info)
{
    return engineName(info.param);
}

void useEngine(const std::filesystem::path& folder, Engine engine)
{
    if (engine == Engine::Sqlite)
        return;
    PgTestServer& pg = PgTestServer::instance();
    if (!pg.available())
        throw std::runtime_error(pg.whyUnavailable());
    writeFileAtomically(folder / DatabaseFileName, pg.newDatabase() + "\n");
}

EngineFolder::EngineFolder(Engine engine) : engine_(engine)
{
    useEngine(path(), engine);
}

void EngineFolder::removeStore(const std::string& mdbName) const
{
    dropStore(StoreLocation::of(path()), mdbName);
}

}
