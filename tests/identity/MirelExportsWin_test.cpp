// The identity sources through Mirel_DLL.dll itself: loaded like a tool linked against it
// would, its functions found under their decorated names.
#include <doctest/doctest.h>
#include "IdentityTestSupport.h"
#include <string>

using namespace identity_test;

namespace {

struct Module {
    Module() : h(LoadLibraryA((ExeDir() + "Mirel_DLL.dll").c_str())) {}
    ~Module()
    {
        if (h)
            FreeLibrary(h);
    }
    template <typename F>
    F Entry(const char* name) const
    {
        return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(h, name)));
    }
    HMODULE h;
};

struct Published : CleanCorvane {
    Published()
    {
        Unset("SACHNUMMER");
        Unset("CHASSISMODEL");
    }
    ~Published()
    {
        Unset("SACHNUMMER");
        Unset("CHASSISMODEL");
    }
    Module dll;
};

} // namespace

TEST_CASE_FIXTURE(Published, "every identity export is there")
{
    REQUIRE((dll.h != nullptr));
    for (const char* name : {"_Z24Get_System_Info_REGISTRYPcS_bPb", "_Z14Get_Model_NamePcb", "_Z16GetTavrelVersionPcS_b",
                             "_Z17Is_Zarn_availableb", "_Z11Is_WinPE_OSv", "_Z11Is_WinXP_OSv", "_Z13Is_Win2000_OSv"}) {
        CAPTURE(name);
        CHECK((GetProcAddress(dll.h, name) != nullptr));
    }
}

TEST_CASE_FIXTURE(Published, "a stored board value read through the module publishes the part number")
{
    REQUIRE((dll.h != nullptr));
    auto get = dll.Entry<bool (*)(char*, char*, bool, bool*)>("_Z24Get_System_Info_REGISTRYPcS_bPb");
    REQUIRE((get != nullptr));
    REQUIRE(SetRawText("systemBoard", "D5870 == A10000-D5870-B10"));
    char name[] = "systemBoard";
    char out[512] = {};
    bool fromRegistry = false;
    CHECK(get(name, out, true, &fromRegistry));
    CHECK(std::string(out) == "D5870 ");
    CHECK(fromRegistry);
    CHECK(ProcessVariable("SACHNUMMER") == "[ A10000-D5870-B10]");
    CHECK(ChildSees("SACHNUMMER") == "[ A10000-D5870-B10]");
}

TEST_CASE_FIXTURE(Published, "the model name through the module and its Quorix.dll")
{
    REQUIRE((dll.h != nullptr));
    auto model = dll.Entry<int (*)(char*, bool)>("_Z14Get_Model_NamePcb");
    REQUIRE((model != nullptr));
    char out[512] = {};
    {
        Simulation sim("[WMI]\n0=PRIMERGY RX100 S8\n");
        CHECK(model(out, true) == 0);
        CHECK(std::string(out) == "PRIMERGY RX100 S8");
        CHECK(ProcessVariable("CHASSISMODEL") == "[PRIMERGY RX100 S8]");
    }
    {
        Simulation sim("[WMI]\n0=\"          \"\n");
        Unset("CHASSISMODEL");
        CHECK(model(out, true) == 4);
        CHECK(ProcessVariable("CHASSISMODEL") == "<unset>");
    }
}

TEST_CASE_FIXTURE(Published, "agents product and system checks through the module on the bare test prefix")
{
    REQUIRE((dll.h != nullptr));
    auto version = dll.Entry<int (*)(char*, char*, bool)>("_Z16GetTavrelVersionPcS_b");
    auto zarn = dll.Entry<int (*)(bool)>("_Z17Is_Zarn_availableb");
    REQUIRE((version != nullptr));
    REQUIRE((zarn != nullptr));
    char empty[] = "";
    char out[512] = "untouched";
    CHECK(version(empty, out, true) == 3);
    CHECK(std::string(out) == "untouched");
    CHECK(zarn(true) == 0);
    CHECK_FALSE(dll.Entry<bool (*)()>("_Z11Is_WinPE_OSv")());
    CHECK_FALSE(dll.Entry<bool (*)()>("_Z11Is_WinXP_OSv")());
    CHECK_FALSE(dll.Entry<bool (*)()>("_Z13Is_Win2000_OSv")());
}
