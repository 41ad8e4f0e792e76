// The secret token as the packaging tool stores it: hex text shifted by 50, with random padding
// and a random key, and the inform-file form that carries such a token.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <utility>

namespace stub {

// The plain token, or the decimal text of a random number from 0 to 99998 when the text is not a
// well-formed scrambled token (too short, wrong check byte, offsets outside its bytes).
std::string DescrambleToken(const std::string& text);

// (token, rest) of an inform text: decoded with ScrambleText, then lead|token|x|y|rest; the token
// descrambled.
std::pair<std::string, std::string> SplitTokenText(const std::string& text);

// Random bytes for the writer: a value from 0 to 255 on each call.
using RandomByte = std::function<std::uint8_t()>;

// The scrambled form of token, with random key and padding from random. Tokens longer than
// kMaxTokenLength give the empty text.
inline constexpr std::size_t kMaxTokenLength = 255;
std::string ScrambleToken(const std::string& token, const RandomByte& random);
// The same with a generator seeded from the clock and the process.
std::string ScrambleToken(const std::string& token);

} // namespace stub
