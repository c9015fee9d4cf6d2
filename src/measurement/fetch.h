#pragma once

#include "measurement/record.h"

namespace tavrino::link {
class SensorLink;
}

namespace tavrino::measurement {

// Fetches and decodes one frame: order 8 (recorded as the last order sent),
// then the reply payload into `record`. With `keepPrevious` the colour number
// of the frame before goes to prevColorNo first; the recorder loops decode
// without that copy. 1 on success; -1 when the exchange failed (already
// reported by the link), and then nothing of the record changes.
int fetchFrame(link::SensorLink& link, MeasurementRecord& record, bool keepPrevious);

} // namespace tavrino::measurement
