// CheckErrorPage on a downloaded file or a received text.
#pragma once
#include "stub/services/ErrorPage.h"
#include <string>

namespace stub {

// Examines the first 10,000 bytes of fileName when it names an existing file, content otherwise;
// the 404 message in markup when that is an HTML page, defaultMessage (maybe empty) otherwise.
std::string CheckErrorPage(const std::string& fileName, const std::string& content, const std::string& url,
                           const std::string& defaultMessage);

} // namespace stub
