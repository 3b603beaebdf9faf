#include "app/WorkingFolder.h"
#include "platform/Environment.h"
#include "testing/TempFolder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <sys/stat.h>
#include <unistd.h>

using namespace ravelt;
namespace fs = std::filesystem;
using Kind = WorkingFolder::Choice::Kind;

namespace {

// A small tree of folders: hotel/ holds the hotel registry's store, served/ the
// Database.txt naming the server that holds its stores, other/ and home/ are
// empty, xdg/ is a second configuration folder; 'missing' is not there.
class WorkingFolderTree : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* f : {"hotel", "served", "other", "home", "xdg"})
            fs::create_directories(root / f);
        root.write("hotel/AnagraficaHotels.sqlite", "");
        root.write("served/Database.txt", "host=/nowhere dbname=hotel\n");
    }
    fs::path at(const std::string& name) const { return name.empty() ? fs::path() : root.path() / name; }
    // Writes the remembered answer under the configuration folder 'config' (under the tree).
    void rememberAs(const std::string& config, const std::string& text) const
    {
        fs::create_directories(at(config) / "ravelt");
        root.write(config + "/ravelt/folder", text);
    }
    ravelt::testing::TempFolder root;
};

std::string kindName(Kind k)
{
    switch (k) {
    case Kind::Current: return "Current";
    case Kind::Variable: return "Variable";
    case Kind::Remembered: return "Remembered";
    case Kind::Ask: return "Ask";
    case Kind::Refused: return "Refused";
    }
    return "?";
}

}

// The order of the places looked at, and what each one's faults lead to.
TEST_F(WorkingFolderTree, ChoosesTheFirstPlaceThatNamesAFolder)
{
    const std::string hotel = at("hotel").string();
    struct Case {
        const char* what;
        std::string current;                     // under the tree
        std::map<std::string, std::string> env;  // HOME and XDG_CONFIG_HOME under the tree when relative
        std::string rememberedUnder;             // configuration folder holding ravelt/folder, "" for none
        std::string remembered;                  // its content
        Kind kind;
        std::string folder;  // expected, under the tree ("" when none)
        std::string reason;  // a part of the reason, "" when there must be none
    } cases[] = {
        {"the current folder with the registry wins over everything", "hotel",
         {{"RAVELT_FOLDER", "other"}, {"HOME", "home"}}, "home/.config", hotel + "\n", Kind::Current, "hotel", ""},
        {"a current folder whose stores are on a server is a working folder, the server not asked", "served",
         {{"HOME", "home"}}, "home/.config", hotel + "\n", Kind::Current, "served", ""},
        {"a remembered folder whose stores are on a server", "home", {{"HOME", "home"}}, "home/.config",
         at("served").string() + "\n", Kind::Remembered, "served", ""},
        {"RAVELT_FOLDER is obeyed even without a registry", "home", {{"RAVELT_FOLDER", at("other").string()}, {"HOME", "home"}},
         "home/.config", hotel + "\n", Kind::Variable, "other", ""},
        {"a relative RAVELT_FOLDER is read from the current folder", "", {{"RAVELT_FOLDER", "hotel"}}, "", "",
         Kind::Variable, "hotel", ""},
        {"a RAVELT_FOLDER that is not there is refused, nothing asked", "home",
         {{"RAVELT_FOLDER", at("missing").string()}, {"HOME", "home"}}, "home/.config", hotel + "\n", Kind::Refused, "",
         "RAVELT_FOLDER non esiste"},
        {"a RAVELT_FOLDER naming a file is refused", "home",
         {{"RAVELT_FOLDER", at("hotel/AnagraficaHotels.sqlite").string()}}, "", "", Kind::Refused, "",
         "non è una cartella"},
        {"an empty RAVELT_FOLDER counts as unset", "home", {{"RAVELT_FOLDER", ""}, {"HOME", "home"}}, "home/.config",
         hotel + "\n", Kind::Remembered, "hotel", ""},
        {"the remembered answer under HOME", "home", {{"HOME", "home"}}, "home/.config", hotel + "\n", Kind::Remembered,
         "hotel", ""},
        {"only its first line counts, CR LF or not", "home", {{"HOME", "home"}}, "home/.config",
         hotel + "\r\n" + at("other").string() + "\r\n", Kind::Remembered, "hotel", ""},
        {"a file without a line end", "home", {{"HOME", "home"}}, "home/.config", hotel, Kind::Remembered, "hotel", ""},
        {"XDG_CONFIG_HOME comes before HOME", "home", {{"HOME", "home"}, {"XDG_CONFIG_HOME", "xdg"}}, "xdg", hotel + "\n",
         Kind::Remembered, "hotel", ""},
        {"a relative XDG_CONFIG_HOME is ignored", "home", {{"HOME", "home"}, {"XDG_CONFIG_HOME", "relative"}},
         "home/.config", hotel + "\n", Kind::Remembered, "hotel", ""},
        {"a remembered folder that is gone is asked again, saying why", "home", {{"HOME", "home"}}, "home/.config",
         at("missing").string() + "\n", Kind::Ask, "", "non esiste"},
        {"a remembered folder without the registry is asked again", "home", {{"HOME", "home"}}, "home/.config",
         at("other").string() + "\n", Kind::Ask, "", "non contiene l'archivio dell'hotel AnagraficaHotels.sqlite"},
        {"nothing remembered: asked", "home", {{"HOME", "home"}}, "", "", Kind::Ask, "", ""},
        {"an empty remembered file: asked", "home", {{"HOME", "home"}}, "home/.config", "", Kind::Ask, "", ""},
        {"an empty first line: asked", "home", {{"HOME", "home"}}, "home/.config", "\n" + hotel + "\n", Kind::Ask, "", ""},
        {"no home at all: asked", "home", {}, "", "", Kind::Ask, "", ""},
    };
    for (const auto& c : cases) {
        fs::remove_all(at("home/.config"));
        fs::remove_all(at("xdg/ravelt"));
        if (!c.rememberedUnder.empty())
            rememberAs(c.rememberedUnder, c.remembered);
        MapEnvironment env;
        for (const auto& [name, value] : c.env)
            env.set(name, (name == "HOME" || value == "xdg") && !value.empty() ? at(value).string() : value);
        const WorkingFolder where(env, at(c.current).empty() ? root.path() : at(c.current));
        const WorkingFolder::Choice got = where.choose();
        EXPECT_EQ(kindName(got.kind), kindName(c.kind)) << c.what << ": " << got.reason;
        EXPECT_EQ(fs::path(got.folder).lexically_normal(), at(c.folder).lexically_normal()) << c.what;
        if (c.reason.empty()) {
            EXPECT_EQ(got.reason, "") << c.what;
        } else {
            EXPECT_NE(got.reason.find(c.reason), std::string::npos) << c.what << ": " << got.reason;
        }
    }
}

// A remembered file that cannot be read is as if nothing were remembered.
TEST_F(WorkingFolderTree, AnUnreadableRememberedFileAsksAgain)
{
    rememberAs("home/.config", at("hotel").string() + "\n");
    MapEnvironment env({{"HOME", at("home").string()}});
    fs::path asked;
    const WorkingFolder where(env, at("home"), [&](const fs::path& p) -> std::optional<std::string> {
        asked = p;
        return std::nullopt;
    });
    const auto got = where.choose();
    EXPECT_EQ(kindName(got.kind), "Ask");
    EXPECT_EQ(got.reason, "");
    EXPECT_EQ(asked, at("home/.config/ravelt/folder"));
}

// The answer is written as one absolute line, the folders on the way made, and is what
// the next start chooses; a second answer replaces the first.
TEST_F(WorkingFolderTree, TheAnswerIsRememberedForTheNextStart)
{
    MapEnvironment env({{"HOME", at("home").string()}});
    const WorkingFolder where(env, at("home"));
    EXPECT_EQ(where.rememberedFile(), at("home/.config/ravelt/folder"));
    where.remember(at("other"));
    {
        ravelt::testing::CurrentFolder inRoot(root.path());
        where.remember("hotel");  // relative to the current folder
    }
    EXPECT_EQ(root.read("home/.config/ravelt/folder"), at("hotel").string() + "\n");
    const auto got = where.choose();
    EXPECT_EQ(kindName(got.kind), "Remembered");
    EXPECT_EQ(got.folder, at("hotel"));
    EXPECT_EQ(ravelt::testing::fileNames(at("home/.config/ravelt")), std::vector<std::string>{"folder"})
        << "no temporary file is left";
}

TEST_F(WorkingFolderTree, WithoutAHomeNothingCanBeRemembered)
{
    MapEnvironment env;
    const WorkingFolder where(env, at("home"));
    EXPECT_EQ(where.rememberedFile(), fs::path());
    EXPECT_THROW(where.remember(at("hotel")), std::runtime_error);
}

TEST_F(WorkingFolderTree, AConfigurationFolderThatCannotBeMadeIsTold)
{
    root.write("home/.config", "a file where the folder should be");
    MapEnvironment env({{"HOME", at("home").string()}});
    const WorkingFolder where(env, at("home"));
    try {
        where.remember(at("hotel"));
        FAIL() << "remembered under a file";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find(at("home/.config/ravelt").string()), std::string::npos) << e.what();
    }
}

// What makes a folder unusable, for --folder and for the chooser's answer.
TEST_F(WorkingFolderTree, ProblemsAndRefusalsOfAFolder)
{
    struct Case {
        fs::path folder;
        std::optional<std::string> problem;  // of WorkingFolder::problem
        std::string refusal;                 // a part of WorkingFolder::refusal, "" for none
    } cases[] = {
        {at("hotel"), std::nullopt, ""},
        {at("other"), std::nullopt, "non contiene l'archivio dell'hotel AnagraficaHotels.sqlite"},
        {at("missing"), "non esiste", "non esiste"},
        {at("hotel/AnagraficaHotels.sqlite"), "non è una cartella", "non è una cartella"},
        {fs::path(), "non è indicata", "non è indicata"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WorkingFolder::problem(c.folder), c.problem) << c.folder;
        const auto r = WorkingFolder::refusal(c.folder);
        if (c.refusal.empty()) {
            EXPECT_EQ(r, std::nullopt) << c.folder;
        } else {
            ASSERT_TRUE(r) << c.folder;
            EXPECT_NE(r->find(c.refusal), std::string::npos) << *r;
            EXPECT_NE(r->find(c.folder.string()), std::string::npos) << *r;
        }
    }
}

// A folder the program may not list: only seen by a user the permissions bind.
TEST_F(WorkingFolderTree, AFolderThatCannotBeReadIsAProblem)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root reads every folder";
    ::chmod(at("other").c_str(), 0);
    EXPECT_EQ(WorkingFolder::problem(at("other")), std::optional<std::string>("non si può leggere"));
    ::chmod(at("other").c_str(), 0755);
}
