#pragma once
// The change rules that tie controls together, and the model operations built on them.

#include "model/mctrl.h"

namespace korvan {

class Model;
class Modul;

// Runs a control's change rule (its onChange) for the value it now holds.
void RunChangeRule(Model& model, ChangeRule rule, Modul& module, int mcix, int value);

// Resets the outputs to the operating mode now held by setup control 5.
void ApplyOutputConfiguration(Model& model);

}  // namespace korvan
