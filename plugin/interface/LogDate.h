// The 24-character English date of the log banner ("Fri Dec 11 16:18:26 2026"), independent of
// the user's locale.
#pragma once
#include <ctime>
#include <string>

namespace mirel {

std::string EnglishDateText(const std::tm& t);

} // namespace mirel
