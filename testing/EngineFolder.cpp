#include "testing/EngineFolder.h"

#include "platform/AtomicFile.h"
#include "platform/StoreCatalog.h"
#include "platform/StoreLocation.h"
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

// The database is named by the label platform gives a connection string,
// "host:port/database": its name is what follows the last slash, the socket folder
// before it holding slashes of its own.
std::string useEngine(const std::filesystem::path& folder, Engine engine)
{
    if (engine == Engine::Sqlite)
        return {};
    PgTestServer& pg = PgTestServer::instance();
    if (!pg.available())
        throw std::runtime_error("the private PostgreSQL server for the tests is unavailable: " + pg.whyUnavailable());
    const std::string conninfo = pg.newDatabase();
    writeFileAtomically(folder / DatabaseFileName, conninfo + "\n");
    const std::string label = serverLabelOf(conninfo);
    return label.substr(label.rfind('/') + 1);
}

EngineFolder::EngineFolder(Engine engine) : engine_(engine), database_(useEngine(path(), engine)) {}

void EngineFolder::removeStore(const std::string& mdbName) const
{
    if (engine_ == Engine::Sqlite) {
        std::filesystem::remove(storePath(path(), mdbName));
        return;
    }
    PgTestServer::instance().psql(database_, "DROP SCHEMA \"" + schemaOf(mdbName) + "\" CASCADE");
}

}
