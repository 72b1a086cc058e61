#pragma once
// Offset rings between outputs: crossover points that move together ("Link") and delays that
// move together ("Stack Link"). Both depend on OutputConfiguration.

namespace korvan {

class Model;

// Rule of setup control 9: every output's high-pass (67) and low-pass (69) frequency leaves its
// ring; while the control is on, each low-pass frequency is paired with the high-pass frequency
// of the output that carries on from it in the current configuration.
void LinkCrossovers(Model& model);

// Rule of setup control 8: every output's long delay (5) leaves its ring; while the control is
// on, the delays of the outputs that play together form a ring.
void LinkDelays(Model& model);

}  // namespace korvan
