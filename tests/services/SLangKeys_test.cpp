#include <doctest/doctest.h>
#include "stub/services/SLangKeys.h"

#include <string>

using namespace stub;

TEST_CASE("key names are the keys of the default table")
{
    for (const char* key : {kKeyTitle, kKeyExtracting, kKeyTempDrive, kKeyLimitedSpace, kKeySpaceRequired,
                            kKeySpaceAvailable, kKeyContinueSetup, kKeyBadCrc, kKeyInsertDisk, kKeyDownloading,
                            kKeyDownloadAsk, kKeyNoConnection, kKeyButtons, kKeyError, kKeyAttention, kKeyConfirm,
                            kKeyCharset, kKeyFontSize, kKeyFontName}) {
        CAPTURE(std::string(key));
        CHECK_FALSE(LangDefault(key).empty());
    }
}

TEST_CASE("language block: entries between 0x02 delimiters")
{
    const std::string items[] = {"Error=Fehler", "s1="};
    const std::string entries[] = {BuildLangEntry("German", items, 2), BuildLangEntry("Empty", nullptr, 0)};
    CHECK(entries[0] == "\x01German\x01" "Error=Fehler\x01s1=\x01");
    CHECK(entries[1] == "\x01" "Empty\x01");
    CHECK(BuildLangBlock(entries, 2) == "\x02\x01German\x01" "Error=Fehler\x01s1=\x01\x02\x01" "Empty\x01\x02");
    CHECK(BuildLangBlock(nullptr, 0) == "\x02");
}
