#pragma once
// Which channel is selected, and the marks its stereo-link partners carry.

namespace korvan {

class Model;
class Modul;

// Select states (Modul::selectState and control 1).
inline constexpr int kNotSelected = 0;
inline constexpr int kSelected = 1;
inline constexpr int kPartnerOfSelected = 3;

// selectState = state and control 1 set to it without notification.
void SetSelectState(Model& model, Modul& module, int state);

// Clears (Deselect) or sets (Reselect) the marks of the selected channel and its partners, so a
// relink can run between the two.
void DeselectCurrent(Model& model);
void ReselectCurrent(Model& model);

// The rule of control 1: a tool button asks for its channel with value 1. The selected channel
// cannot be unselected by itself; selecting a channel marks its partners.
void SelectModule(Model& model, Modul& module, int value);

}  // namespace korvan
