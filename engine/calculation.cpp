#include "engine/calculation.h"

bool Calculation::fail(Msg id) { return fail(Message{id}); }

bool Calculation::fail(Message failure) {
  message = std::move(failure);
  return false;
}
