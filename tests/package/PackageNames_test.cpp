#include <doctest/doctest.h>

#include "stub/package/PackageNames.h"

TEST_CASE("plain file names stay inside their folder")
{
    const char* const good[] = {"Setup.exe", "a", "read me.txt", ".hidden", "x.y.z", "COM0", "LPT10.txt",
                                "CONSOLE.txt", "nul1", "\xC4pfel.txt"};
    for (const char* name : good) {
        CAPTURE(std::string(name));
        CHECK(stub::IsPlainFileName(name));
    }
    const std::string bad[] = {"", ".", "..", "...", "a.", "a ", "sub\\x.txt", "sub/x.txt", "C:x", "a*b",
                               "a?b", "a\"b", "a<b", "a>b", "a|b", std::string("a\0b", 3), "tab\there",
                               "CON", "con.txt", "Nul", "aux.log", "COM1", "lpt9.dat", "PRN.", "CON .txt", std::string(256, 'n')};
    for (const std::string& name : bad) {
        CAPTURE(name);
        CHECK_FALSE(stub::IsPlainFileName(name));
    }
    CHECK(stub::IsPlainFileName(std::string(255, 'n')));
}
