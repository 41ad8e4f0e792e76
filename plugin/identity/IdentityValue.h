// Pure rules of the identity values: the missing-value rule, the stored board value with its
// " == " separator, the text put into the environment, and the module's bounded copies.
#pragma once
#include <cstddef>
#include <string>

namespace mirel {

// Identity values live in 512-byte buffers.
constexpr std::size_t kValueSize = 512;
// NAME=value must fit in 511 characters.
constexpr std::size_t kAssignmentMax = 511;
// More than this many blanks is a value (however odd), not a missing one.
constexpr std::size_t kMissingBlanksMax = 30;

// True for null, empty, or a text made of at most 30 blanks.
bool IsMissingValue(const char* text);

// A stored systemBoard value split at the first "==": the board text before it (a blank before
// "==" stays), and the text after it unchanged. Without "==" both are the whole value.
struct StoredBoard {
    std::string board;
    std::string sachnummer;
};
StoredBoard SplitStoredBoard(const char* stored);

// "NAME=value" for the process environment; false when it would exceed 511 characters.
bool ComposeAssignment(const char* name, const char* value, std::string& out);

// Copies text into a buffer of `size` bytes, cut to size - 1 characters and zero-terminated.
void CopyBounded(char* out, std::size_t size, const char* text);

} // namespace mirel
