#include "measurement/fetch.h"

#include "link/orders.h"
#include "link/sensor_link.h"

namespace tavrino::measurement {

int fetchFrame(link::SensorLink& link, MeasurementRecord& record, bool keepPrevious) {
    const int result = link.request(link::order::Measure, 0);
    if (result != 1)
        return result;
    // A short payload leaves the rest of the record's bytes zero, as the
    // receive buffer is cleared before every exchange.
    acceptFrame(record, link.replyPayload(), link.lastReply().length, keepPrevious);
    return 1;
}

} // namespace tavrino::measurement
