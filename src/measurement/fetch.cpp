#include "measurement/fetch.h"

#include "link/orders.h"
#include "link/sensor_link.h"

namespace tavrino::measurement {

int fetchFrame(link::SensorLink& link, MeasurementRecord& record, bool keepPrevious) {
    const int result = link.requestRecord(link::order::Measure, 0, kPayloadSize);
    if (result != 1)
        return result;
    acceptFrame(record, link.replyPayload(), link.lastReply().length, keepPrevious);
    return 1;
}

} // namespace tavrino::measurement
