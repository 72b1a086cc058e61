#pragma once
// The EQ band bookkeeping of a channel: which bands are in use, how many are shown, which one is
// selected, and the check that refuses an EQ the unit could not run.

namespace korvan {

class Model;
class Modul;

// Number of the nine bands whose gain is away from 0 dB.
int BandsInUse(const Modul& module);

// Rule of control 6 (EQ on): switches the EQ off again with "Too many EQ's" when its estimated
// cost, times the number of outputs that copy it, reaches Model::EqLimit.
void EqOnRule(Model& model, Modul& module, int value);

// Rule of control 8 (selected band, the requested band a): trims the bands shown (control 7) to
// one past the last band in use, shows one more band after a band in use, and moves the
// selection to the last band shown when the requested band is not shown.
void EqBandSelectRule(Model& model, Modul& module, int requested);

// "Delete band": the bands after band moves down one place, the band no longer shown returns to
// 0 dB, the bands shown and the selected band decrease. Nothing when a single band is shown, the
// module is not a channel, or band is not one of the bands shown.
void DeleteEqBand(Model& model, Modul& module, int band);

}  // namespace korvan
