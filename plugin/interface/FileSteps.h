// The portable parts of the file-copying executions.
#pragma once
#include <string>

namespace mirel {

constexpr std::size_t kPathBufferSize = 1024;

// Copies a text file line by line in pieces of at most 255 characters, in text mode (on
// Windows every line end becomes CR LF). False, with nothing written, when the source cannot
// be opened; false when the target cannot be created.
bool CopyTextFile(const char* source, const char* target);

// A path argument after clean(); empty for a missing text or one that does not fit in 1024 bytes.
std::string CleanedPath(const char* text);

// The target of an extraction step: the cleaned argument, or currentDir + "\" + defaultName
// when the argument is missing, blank, or still the engine's placeholder. Empty (refused) for an
// argument that does not fit in 1024 bytes.
std::string ExtractionTarget(const char* argument, const char* placeholder, const std::string& currentDir,
                             const char* defaultName);

// The first line of the usage text: "\n\n<name> V<version> Usage: <name> [option] ... [option]";
// empty when it would not fit in 256 bytes.
std::string UsageHeader(const char* name, const char* version);

} // namespace mirel
