#pragma once
#include "testing/TempFolder.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace ravelt::testing {

// Where a working folder keeps its stores: the SQLite files in the folder, or schemas
// in a fresh database of the process's private PostgreSQL server (PgTestServer).
enum class Engine { Sqlite, Server };

// "Sqlite" or "Server", as the engine shows in the names of parametrised tests.
std::string engineName(Engine engine);
std::string engineParamName(const ::testing::TestParamInfo<Engine>& info);

// The engines the tests of this binary run on. A test source written once over the
// engine is built twice: into the folder's ordinary binary, which covers the SQLite
// files and needs no server (ctest -L unit, -L window), and into a binary of its own
// compiled with RAVELT_TEST_SERVER=1 and labelled server, which covers the server.
// Defined here rather than in the library because the library is built once for both.
inline std::vector<Engine> enginesUnderTest()
{
#if defined(RAVELT_TEST_SERVER) && RAVELT_TEST_SERVER
    return {Engine::Server};
#else
    return {Engine::Sqlite};
#endif
}

// Makes a folder keep its stores on the engine, before anything creates them. For the
// SQLite files nothing is written. For the server the folder's Database.txt names a new
// empty database, so each folder starts with no store at all, as an empty folder does;
// when the server could not be started this throws std::runtime_error with its reason,
// which fails the test with that reason instead of letting it run on the files.
void useEngine(const std::filesystem::path& folder, Engine engine);

// A temporary working folder whose stores live on the given engine (see useEngine).
class EngineFolder : public TempFolder {
public:
    explicit EngineFolder(Engine engine);

    Engine engine() const { return engine_; }

    // Takes a store away, as deleting its file does: the SQLite file, or the store's
    // schema with every table in it (platform's dropStore). The folder's other files stay.
    void removeStore(const std::string& mdbName) const;

private:
    Engine engine_;
};

}
