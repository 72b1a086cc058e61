#pragma once
// The operating mode reset: what the outputs become when the output configuration (setup
// control 5) changes, and the crossover presets each configuration starts from.

namespace korvan {

class Model;

// The preset one output gets in a configuration (steps of its controls 64, 65, 67, 68, 69).
struct OutputPreset {
  int bandName;
  int source;
  int hpFreq;
  int lpType;
  int lpFreq;
};

// Configurations: 0 "Mono", 1 "LMH LMH", 2 "LL MM HH", 3 "LH LH LH".
inline constexpr int kOutputConfigurations = 4;

// The preset of output 0..5 in a configuration 0..3.
const OutputPreset& OutputPresetFor(int configuration, int output);

// Runs after setup control 5 has taken a new value: mutes every output, returns every control
// without MC_KEEP to its reset value, drops all links and rings, loads the configuration's
// output presets and switches the links the configuration uses back on. The links themselves
// are rebuilt by their rules when the change queue is drained. A value of control 5 outside
// 0..3 is taken as the nearest configuration.
void ApplyOutputConfiguration(Model& model);

}  // namespace korvan
