#include "stub/services/ErrorPage.h"
#include "stub/services/Utils.h"
#include <initializer_list>

namespace stub {

namespace {

// The first occurrences of the tags, ignoring case, stand in strictly increasing order and the
// first one is present.
bool InOrder(const std::string& text, std::initializer_list<const char*> tags)
{
    std::size_t previous = 0;
    for (const char* tag : tags) {
        const std::size_t at = PosText(tag, text);
        if (at <= previous)
            return false;
        previous = at;
    }
    return true;
}

} // namespace

bool LooksLikeErrorPage(const std::string& text)
{
    return InOrder(text, {"<TITLE", "404", "</TITLE>"}) || InOrder(text, {"<HTML>", "<HEAD>", "<TITLE>", "</TITLE>"});
}

std::string CheckErrorPageText(const std::string& text, const std::string& url, const std::string& defaultMessage)
{
    if (!LooksLikeErrorPage(text))
        return defaultMessage;
    return "<B>404 File Not Found...</B><P><P>URL:  " + url +
           ".<P><P>Please make sure the file is available and access is allowed to this file.";
}

} // namespace stub
