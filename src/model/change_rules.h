#pragma once
// The change rules that tie controls together: the onChange of a control, run from the change
// queue with the value the control holds then.

#include "model/mctrl.h"
// The rules and the operations built on them, for the callers that include only this header.
#include "model/eq_bands.h"
#include "model/link_rings.h"
#include "model/module_links.h"
#include "model/output_configuration.h"
#include "model/selection.h"

namespace korvan {

class Model;
class Modul;

// Runs a control's change rule for the value it now holds.
void RunChangeRule(Model& model, ChangeRule rule, Modul& module, int mcix, int value);

}  // namespace korvan
