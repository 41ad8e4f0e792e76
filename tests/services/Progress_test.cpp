#include <doctest/doctest.h>
#include "stub/services/Progress.h"
#include <vector>

TEST_CASE("the activity counter runs 1 to 5, then 0 again")
{
    stub::ActivityCounter c;
    CHECK(c.Value() == 0);
    std::vector<int> seen;
    for (int i = 0; i < 13; ++i)
        seen.push_back(c.Advance());
    CHECK(seen == std::vector<int>{1, 2, 3, 4, 5, 0, 1, 2, 3, 4, 5, 0, 1});
}
