#pragma once
// Stereo links between whole modules: the first module of a group is the master whose settings
// the others take; controls flagged MC_UNLINKED stay apart.

#include <initializer_list>
#include <span>

namespace korvan {

class Model;
class Modul;

// Empties the partners of every control and the module's partnerIds.
void UnlinkModule(Model& model, Modul& module);

// Links module first with one to three other modules of the same kind (module ids). Every
// member's partnerIds become the other members; every control not flagged MC_UNLINKED of the
// others takes first's value. False, and nothing changed, when the ids do not form such a group.
bool LinkModules(Model& model, int first, std::span<const int> others);
bool LinkModules(Model& model, int first, std::initializer_list<int> others);

// Rebuilds the input links from setup control 7: Off, A+B, A+B+C, A+B+C+Sum (A is the master).
void LinkInputs(Model& model);

// Rebuilds the output links from OutputConfiguration while setup control 6 is on:
// LMH LMH 1-4 2-5 3-6, LL MM HH 1-2 3-4 5-6, LH LH LH 1-3-5 2-4-6; Mono has none.
void LinkOutputs(Model& model);

// The rules of setup controls 6 and 7: relink with the selection marks following.
void OutStereoLinkChanged(Model& model);
void InStereoLinkChanged(Model& model);

}  // namespace korvan
