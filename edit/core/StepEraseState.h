#pragma once

// What the step-erase window shows: where its scroll bar stands over the
// page's inputs (0: on none), how far it reaches, and whether "消去" can be
// pressed.
struct StepEraseState {
  int position = 0;
  int maximum = 0;
  bool eraseEnabled = false;
  bool operator==(const StepEraseState &) const = default;
};
