// The one wrapper every export runs its body in: nothing thrown inside ever reaches the caller,
// which gets the export's refusal value instead.
#pragma once

namespace mirel {

template <typename R, typename Body>
R Guarded(R refusal, Body&& body) noexcept
{
    try {
        return body();
    } catch (...) {
        return refusal;
    }
}

} // namespace mirel
