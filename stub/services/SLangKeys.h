// Names of the keys the stub reads from a language entry (their English defaults are the table
// in LangDefaults.h), the caption words of the message box, and the layout of a language block.
//
//   info.LangText(kKeyExtracting, LangDefault(kKeyExtracting))
#pragma once
#include <cstddef>
#include <string>

#include "stub/services/LangDefaults.h"

namespace stub {

inline constexpr const char* kKeyTitle = "s0";           // title of the main window
inline constexpr const char* kKeyExtracting = "s1";      // caption while files are extracted
inline constexpr const char* kKeyTempDrive = "s2";       // free-space message, first line
inline constexpr const char* kKeyLimitedSpace = "s3";    // free-space message when space is short
inline constexpr const char* kKeySpaceRequired = "s4";   // free-space message
inline constexpr const char* kKeySpaceAvailable = "s5";  // free-space message
inline constexpr const char* kKeyContinueSetup = "s6";   // free-space question
inline constexpr const char* kKeyBadCrc = "s7";          // integrity failure
inline constexpr const char* kKeyInsertDisk = "s8";      // request for the next disk
inline constexpr const char* kKeyDownloading = "s10";    // caption while downloading
inline constexpr const char* kKeyDownloadAsk = "s11";    // question before a web download
inline constexpr const char* kKeyNoConnection = "s12";   // no connection for a web download
inline constexpr const char* kKeyButtons = "BtnText";    // button captions of every box
inline constexpr const char* kKeyError = "Error";
inline constexpr const char* kKeyAttention = "Attention";
inline constexpr const char* kKeyConfirm = "Confirm";
inline constexpr const char* kKeyCharset = "Charset";
inline constexpr const char* kKeyFontSize = "FontSize";
inline constexpr const char* kKeyFontName = "FontName";

// Captions used when a box is given none, items 0 to 2.
inline constexpr const char* kCaptionWords = "|Error|Attention|Confirm|";

// Separators of the language block: entries are delimited by 0x02, the items of an entry by 0x01.
inline constexpr char kLangBlockDelimiter = '\x02';
inline constexpr char kLangEntryDelimiter = '\x01';

// One entry: the name, then every "key=value" item, each followed by 0x01 and the whole preceded
// by one.
std::string BuildLangEntry(const std::string& name, const std::string* items, std::size_t count);
// A language block holding the given entries.
std::string BuildLangBlock(const std::string* entries, std::size_t count);

} // namespace stub
