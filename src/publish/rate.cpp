#include "publish/rate.h"

namespace tavrino::publish {

RateLimit::RateLimit(std::optional<double> perSecond) {
    if (perSecond && *perSecond > 0)
        period_ = std::chrono::ceil<Clock::duration>(std::chrono::duration<double>(1.0 / *perSecond));
}

bool RateLimit::due(Clock::time_point now) {
    if (!period_)
        return true;
    if (next_ && now < *next_)
        return false;
    next_ = now + *period_;
    return true;
}

} // namespace tavrino::publish
