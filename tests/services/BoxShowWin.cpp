// boxshow: shows one message box and exits with its result code, for tests that drive a box in
// another process and for the screenshots of scripts/pictures.sh.
//
//   boxshow MODE STYLE CHARSET TIMEOUT_MS CAPTION TEXT [BUTTONS [FONT]]
//
// MODE and STYLE are decimal or 0x-hexadecimal numbers. A CAPTION or TEXT of the form @FILE is
// read from that file as bytes in the system code page (texts in other scripts than the host's).
// FONT is the face of the box font, as a language entry's FontName would set it.
#include "stub/services/DMsgBox.h"
#include "stub/services/Utils.h"

#include <cstdio>
#include <string>

namespace {

std::string Argument(const char* arg)
{
    if (arg[0] != '@')
        return arg;
    std::string bytes;
    if (std::FILE* f = std::fopen(arg + 1, "rb")) {
        char buf[4096];
        for (std::size_t n; (n = std::fread(buf, 1, sizeof(buf), f)) > 0;)
            bytes.append(buf, n);
        std::fclose(f);
    }
    return bytes;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 7)
        return 100;
    auto number = [](const std::string& s) {
        return stub::StartsWith("0x", s, true) ? stub::ParseHex(s) : stub::ParseInt64(s, 0);
    };
    const std::string buttons = argc > 7 ? argv[7] : "";
    if (argc > 8)
        stub::SetBoxFont(argv[8], 0, static_cast<int>(number(argv[3])));
    return stub::ShowBox(static_cast<stub::BoxOwner>(number(argv[1])), Argument(argv[6]), Argument(argv[5]), buttons,
                         static_cast<int>(number(argv[3])), static_cast<unsigned>(number(argv[2])),
                         static_cast<unsigned>(number(argv[4])));
}
