#include "plugin/interface/PluginEntry.h"
#include "plugin/interface/Sample.h"
#include <doctest/doctest.h>
#include <cstring>
#include <string>

TEST_CASE("GetDllVersion is 10602")
{
    CHECK(GetDllVersion() == 10602);
}

TEST_CASE("aliases inside the tables")
{
    char buffer[mirel::kAliasBufferSize];
    CHECK(GetConditionAlias(0, buffer) == buffer);
    CHECK(std::string(buffer) == "Valid System ?");
    CHECK(std::string(GetConditionAlias(1, buffer)) == "Chassis and/or D-Number found ?");
    CHECK(std::strlen(buffer) == 31);
    CHECK(std::string(GetConditionAlias(4, buffer)) == "Is Win2000 OS ?");
    CHECK(std::string(GetExecutionAlias(3, buffer)) == "Extract rel_note.txt File");
    CHECK(std::string(GetExecutionAlias(5, buffer)) == "Show Help");
}

TEST_CASE("an index outside a table gives a null pointer and leaves the buffer untouched")
{
    struct Case {
        char* (*get)(int, char*);
        int index;
    };
    const Case cases[] = {{GetConditionAlias, 5}, {GetConditionAlias, -1}, {GetConditionAlias, 1 << 30},
                          {GetExecutionAlias, 6}, {GetExecutionAlias, -1}};
    for (const Case& c : cases) {
        CAPTURE(c.index);
        char buffer[mirel::kAliasBufferSize] = "untouched";
        CHECK(c.get(c.index, buffer) == nullptr);
        CHECK(std::string(buffer) == "untouched");
    }
    CHECK(GetConditionAlias(0, nullptr) == nullptr);
}

TEST_CASE("the sample exports")
{
    CHECK(fnMirel_DLL() == 42);
    CHECK(nMirel_DLL == 0);
    CMirel_DLL a, b;
    a = b;
}
