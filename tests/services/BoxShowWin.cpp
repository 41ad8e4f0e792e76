// boxshow: shows one message box and exits with its result code, for tests that drive a box in
// another process and for the screenshots of scripts/pictures.sh.
//
//   boxshow MODE STYLE CHARSET TIMEOUT_MS CAPTION TEXT [BUTTONS]
//
// MODE and STYLE are decimal or 0x-hexadecimal numbers.
#include "stub/services/DMsgBox.h"
#include "stub/services/Utils.h"

#include <string>

int main(int argc, char** argv)
{
    if (argc < 7)
        return 100;
    auto number = [](const std::string& s) {
        return stub::StartsWith("0x", s, true) ? stub::ParseHex(s) : stub::ParseInt64(s, 0);
    };
    const std::string buttons = argc > 7 ? argv[7] : "";
    return stub::ShowBox(static_cast<stub::BoxOwner>(number(argv[1])), argv[6], argv[5], buttons,
                         static_cast<int>(number(argv[3])), static_cast<unsigned>(number(argv[2])),
                         static_cast<unsigned>(number(argv[4])));
}
