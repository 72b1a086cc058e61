#pragma once
// The physical values the response curves take from parameter steps. Every step is clamped to
// its parameter's range first, so a damaged value never reads outside a table.

namespace korvan {

// Frequency step 0..320 in Hz (20 Hz .. 20 kHz).
float FrequencyOfStep(int step);
// Q step 0..40: 0.1 * 10^(step/20), 0.1 .. 10.
float QOfStep(int step);
// Gain step 0..300 in dB: (step - 150) / 10, -15 .. +15.
float GainDbOfStep(int step);

}  // namespace korvan
