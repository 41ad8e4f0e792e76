// Utils: the reversible scrambling of stored values ("Scrambled=01", key, body).
#include "stub/services/Utils.h"

#include <cstring>

namespace stub {

namespace {

const std::size_t kMarkerLength = std::strlen(kScrambleMarker);

// Byte i (from 1) XOR the low 8 bits of i + key at odd positions and i - key at even ones;
// the step is its own inverse.
std::string ScrambleBody(const std::string& body, unsigned char key)
{
    std::string out(body);
    for (std::size_t i = 1; i <= out.size(); ++i) {
        const unsigned mask = (i % 2 == 1) ? static_cast<unsigned>(i) + key : static_cast<unsigned>(i) - key;
        out[i - 1] = static_cast<char>(static_cast<unsigned char>(out[i - 1]) ^ (mask & 0xFFu));
    }
    return out;
}

bool IsScrambled(const std::string& s) { return s.compare(0, kMarkerLength, kScrambleMarker) == 0; }

} // namespace

std::string ScrambleWithKey(const std::string& plain, unsigned char key)
{
    return kScrambleMarker + std::string(1, static_cast<char>(key)) + ScrambleBody(plain, key);
}

std::string ScrambleText(const std::string& s, bool encode)
{
    const bool scrambled = IsScrambled(s);
    if (encode == scrambled)
        return s;
    if (encode)
        return ScrambleWithKey(s, static_cast<unsigned char>(RandomNumber(33, 122)));
    // The marker without a key character carries no value.
    if (s.size() <= kMarkerLength)
        return std::string();
    return ScrambleBody(s.substr(kMarkerLength + 1), static_cast<unsigned char>(s[kMarkerLength]));
}

} // namespace stub
