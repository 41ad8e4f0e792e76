#include "stub/services/SLangKeys.h"

#include <cstring>

namespace stub {

namespace {

constexpr const char* kDownloadAskDefault =
    "<b>INTERNET DOWNLOAD</b><p><p>Drovel will download the Setup File from the Internet...<p>"
    "Please make sure your Internet connection is properly set.<p><p>Continue with Setup?<p><P>"
    "Size: <SIZE> MB<P>";
// The shipped entry writes the last line breaks in capitals; it shows the same.
constexpr const char* kDownloadAskShipped =
    "<b>INTERNET DOWNLOAD</b><p><p>Drovel will download the Setup File from the Internet...<p>"
    "Please make sure your Internet connection is properly set.<p><p>Continue with Setup?<P><P>"
    "Size: <SIZE> MB<P>";

#define SAME(key, text) {key, text, text}
const LangKey kTable[] = {
    SAME(kKeyTitle, "Drovel Installation Suite"),
    SAME(kKeyExtracting, "Extracting Files..."),
    SAME(kKeyTempDrive, "Drovel will extract files to your Temp Drive (<DRIVE>)<P>"),
    SAME(kKeyLimitedSpace, "Limited Free Space on your Temp Drive! (<DRIVE>)<P>"),
    SAME(kKeySpaceRequired, "<P>Estimated space required on your Temp drive is: <T>  <SPACE_REQ> MB<P>"),
    SAME(kKeySpaceAvailable, "Free space available on your Temp drive is: <T>  <SPACE_AVAIL> MB<P>"),
    SAME(kKeyContinueSetup, "<P>Continue with Setup?<P>"),
    SAME(kKeyBadCrc, "Bad CRC!<P>This indicates that your setup file might be corrupted..."),
    SAME(kKeyInsertDisk, "Please insert <B>DISK #<DISK_NUM></B> and press OK to continue"),
    SAME(kKeyDownloading, "Downloading File..."),
    {kKeyDownloadAsk, kDownloadAskDefault, kDownloadAskShipped},
    SAME(kKeyNoConnection, "No valid Internet Connection.<p>Can not Download File!"),
    SAME(kKeyButtons, kDefaultButtonTexts),
    SAME(kKeyError, "Error"),
    SAME(kKeyAttention, "Attention"),
    SAME(kKeyConfirm, "Confirm"),
    SAME(kKeyCharset, "0"),
    SAME(kKeyFontSize, "8"),
    SAME(kKeyFontName, "Tahoma"),
};
#undef SAME

constexpr std::size_t kTableSize = sizeof(kTable) / sizeof(kTable[0]);

std::string Delimited(char delimiter, const std::string* items, std::size_t count, const std::string* first)
{
    std::string out(1, delimiter);
    if (first)
        out += *first + delimiter;
    for (std::size_t i = 0; i < count; ++i)
        out += items[i] + delimiter;
    return out;
}

} // namespace

const LangKey* LangKeys(std::size_t& count)
{
    count = kTableSize;
    return kTable;
}

std::string LangDefault(const std::string& key)
{
    for (const LangKey& k : kTable)
        if (key.size() == std::strlen(k.key) && key.compare(k.key) == 0)
            return k.defaultText;
    return std::string();
}

std::string BuildLangEntry(const std::string& name, const std::string* items, std::size_t count)
{
    return Delimited(kLangEntryDelimiter, items, count, &name);
}

std::string ShippedEnglishEntry()
{
    std::string items[kTableSize];
    for (std::size_t i = 0; i < kTableSize; ++i)
        items[i] = std::string(kTable[i].key) + "=" + kTable[i].shippedText;
    return BuildLangEntry("English", items, kTableSize);
}

std::string BuildLangBlock(const std::string* entries, std::size_t count)
{
    return Delimited(kLangBlockDelimiter, entries, count, nullptr);
}

} // namespace stub
