// The main window's variable fields by letter: the one place that says which
// field holds which variable.
#pragma once

#include <cstddef>

#include "resource.h"
#include "ui/app.h"

struct VariableField {
  char letter;
  int id;
  std::size_t limit;  // characters the field takes
};
inline constexpr VariableField kVariableFields[] = {
    {'V', IDC_FIELD_V, kVariableFieldLimit}, {'W', IDC_FIELD_W, kVariableFieldLimit},
    {'X', IDC_FIELD_X, kVariableFieldLimit}, {'Y', IDC_FIELD_Y, kVariableFieldLimit},
    {'Z', IDC_FIELD_Z, kZFieldLimit},
};

// The field of a letter V..Z (0 for any other).
constexpr int fieldOfVariable(char letter) {
  for (const VariableField& field : kVariableFields)
    if (field.letter == letter) return field.id;
  return 0;
}
