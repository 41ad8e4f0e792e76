// Token descrambling and inform-text splitting on any text; a scrambled token must always read
// back to itself.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "stub/package/Token.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    (void)stub::DescrambleToken(text);
    (void)stub::SplitTokenText(text);

    const std::string token = text.substr(0, stub::kMaxTokenLength);
    std::size_t i = 0;
    const std::string scrambled = stub::ScrambleToken(token, [&] {
        return static_cast<std::uint8_t>(size ? data[i++ % size] : 0);
    });
    if (stub::DescrambleToken(scrambled) != token)
        std::abort();
    return 0;
}
