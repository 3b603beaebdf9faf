#pragma once
#include "platform/Environment.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace ravelt {

// Where the program works when it is not told (no --folder). A launcher in the desktop's
// menu starts the program in the home folder, which holds no stores, so the window looks
// in turn at: the current folder, when it holds the hotel registry's store (started from
// a working folder, as the suite starts it); the folder named by RAVELT_FOLDER; the folder
// remembered in the first line of ravelt/folder in the user's configuration folder; and
// when none of these names one, the operator is asked once and the answer remembered.
// The commands do not use it: they work in their current folder unless given --folder.
class WorkingFolder {
public:
    // Reads a whole file; nullopt when it is missing or cannot be read.
    using FileReader = std::function<std::optional<std::string>(const std::filesystem::path&)>;

    // 'current' is the process's current folder; RAVELT_FOLDER, XDG_CONFIG_HOME and HOME
    // come from 'env'; the remembered answer is read through 'read'.
    WorkingFolder(const Environment& env, std::filesystem::path current, FileReader read = readIfPresent);

    struct Choice {
        enum class Kind {
            Current,     // the current folder holds the hotel registry
            Variable,    // RAVELT_FOLDER names the folder
            Remembered,  // the remembered answer names a folder holding the hotel registry
            Ask,         // the operator must be asked ('reason' says why again, empty the first time)
            Refused,     // RAVELT_FOLDER names no usable folder: 'reason' says so, nothing is asked
        };
        Kind kind;
        std::filesystem::path folder;  // where to work, for the first three kinds
        std::string reason;
    };
    Choice choose() const;

    // The file holding the remembered answer: ravelt/folder in the user's configuration
    // folder; empty when the environment names no home (nothing can be remembered).
    std::filesystem::path rememberedFile() const;
    // Remembers 'folder' (made absolute) as the answer, one line, written atomically with
    // the folders on the way made. Raises std::runtime_error naming the file when it cannot.
    void remember(const std::filesystem::path& folder) const;

    // Why a folder given to work in cannot be used, as the end of a sentence about it
    // ("non esiste", "non è una cartella", "non si può leggere", "non è indicata" for an
    // empty name); nullopt when it can be.
    static std::optional<std::string> problem(const std::filesystem::path& folder);
    // Why a folder the operator chose cannot be the working folder, a sentence naming it:
    // a problem() or no hotel registry store in it; nullopt when it can.
    static std::optional<std::string> refusal(const std::filesystem::path& folder);
    // The file the hotel registry is kept in, the sign of a working folder.
    static std::filesystem::path registryStore(const std::filesystem::path& folder);

    // The default reader: the file's bytes, nullopt when it cannot be read.
    static std::optional<std::string> readIfPresent(const std::filesystem::path& path);

private:
    const Environment& env_;
    std::filesystem::path current_;
    FileReader read_;
};

}
