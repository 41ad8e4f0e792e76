// The command line of drovel-pack.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "tools/drovel-pack/Blocks.h"
#include "tools/drovel-pack/PackageWriter.h"

namespace drovel {

enum class Command { Help, Build, Agent, WebStub, Inform, Inspect };

struct Options {
    Command command = Command::Help;
    std::string output;
    bool quiet = false;

    // build, agent, web-stub
    PackageSpec spec;                    // files, stub, flags, level, sizes (blocks filled later)
    std::vector<std::string> languageFiles;
    Settings settings;
    Download download;
    bool hasDownloadBlock = false;
    std::string downloadPackage;         // size taken from this file
    std::string setupName, setupArguments;
    bool setupArgumentsGiven = false;

    // inform
    std::string body;                    // path of the body file
    bool scramble = false;

    // inspect
    std::string input;
};

// Parses argv[1..]; false with a message for bad or conflicting options.
bool ParseOptions(const std::vector<std::string>& args, Options& options, std::string& error);

// Reads the language files and the download package size and fills the PackageSpec's blocks; false
// with a message when something cannot be read or is not valid.
bool BuildBlocks(Options& options, std::string& error);

// Parses a byte count with an optional K, M or G suffix (powers of 1024).
bool ParseByteCount(const std::string& text, std::uint64_t& value);

extern const char* const kHelpText;

} // namespace drovel
