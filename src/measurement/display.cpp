#include "measurement/display.h"

namespace tavrino::measurement {

void updateDisplay(MeasurementDisplay& d, GraphHistories& histories, const MeasurementRecord& r,
                   const TeachRows& teachTable) {
    // Calibrated values, references, coordinates and the evaluation.
    d.xyz = {r.X, r.Y, r.Z};
    d.reference = {r.refX, r.refY, r.refI};
    d.coordinates = {r.csX, r.csY, r.csI};
    d.deltaE = r.deltaE;
    d.colourNumber = r.colorNo;
    d.in0High = r.in0 != 0;
    d.saturated = r.sat != 0;
    // Raw values, the double-parameter set and the temperature. The big
    // colour-number panel shows colourNumber and the mean-value teach panel
    // xyz: one field per value, however many panels show it.
    d.raw = {r.rawX, r.rawY, r.rawZ};
    d.doubleParameterSet = r.dpSet;
    d.temperature = r.temp;
    // Derived values.
    d.colour = displayColour(r);
    d.paintColour = clampedColour(d.colour);
    d.deviations = singleDeviations(r, teachTable);
    histories.append(r);
    ++d.frame;
}

} // namespace tavrino::measurement
