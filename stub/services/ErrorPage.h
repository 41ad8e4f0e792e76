// Recognising an HTML page (typically a server's 404 page) received instead of the expected data.
#pragma once
#include <string>

namespace stub {

// How much of a downloaded file is examined.
inline constexpr std::size_t kErrorPageProbeBytes = 10000;

// True when the text is such a page: "<TITLE", "404", "</TITLE>" in this order, or "<HTML>",
// "<HEAD>", "<TITLE>", "</TITLE>" in this order (first occurrences, ignoring case).
bool LooksLikeErrorPage(const std::string& text);

// The 404 message in markup for url when the text is such a page; defaultMessage otherwise.
std::string CheckErrorPageText(const std::string& text, const std::string& url, const std::string& defaultMessage);

} // namespace stub
