// The header blocks a package carries (language, settings, download) and the inform file text,
// built from the packaging tool's options. Every builder checks its input and says what is wrong.
#pragma once
#include <string>
#include <vector>

namespace drovel {

// One language entry from a file of KEY=value lines (CR LF or LF; blank lines and lines starting
// with ';' or '#' are skipped), named by the file name without its extension.
bool LanguageEntryFromFile(const std::string& path, std::string& entry, std::string& error);
bool LanguageEntryFromText(const std::string& name, const std::string& text, std::string& entry,
                           std::string& error);
// The block of the entries in order; with none, the shipped English entry alone.
std::string LanguageBlock(const std::vector<std::string>& entries);

struct Settings {
    std::string updateLocation;  // item 0
    std::string infoFile;        // item 1
    std::string agentName;       // item 2
    std::string token;           // item 3, stored scrambled; empty leaves the item empty
    bool hidden = false;         // item 4: "1" or "0"
};
bool SettingsBlock(const Settings& settings, std::string& block, std::string& error);

struct Download {
    std::string location;  // item 0
    std::string fileName;  // item 1
    bool always = false;   // item 2: "1" or "0"
    std::string token;     // item 3, stored scrambled
    std::string size;      // item 4, decimal bytes
};
bool DownloadBlock(const Download& download, std::string& block, std::string& error);

// An inform file: lead|token|-|-|body with the token scrambled; with scramble, the whole text
// then encoded with ScrambleText.
bool InformText(const std::string& token, const std::string& body, bool scramble,
                std::string& text, std::string& error);

// Reads a whole (small) file; false when it cannot be read.
bool ReadWholeFile(const std::string& path, std::string& text);

} // namespace drovel
