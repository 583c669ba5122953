#include "cli/json_answer.h"

#include <cmath>
#include <limits>

#include <nlohmann/json.hpp>

namespace {

template <typename T>
nlohmann::json orNull(const std::optional<T>& value) {
  return value ? nlohmann::json(*value) : nlohmann::json(nullptr);
}

}  // namespace

std::optional<double> jsonNumber(long double value) {
  // Beyond a double's range there is no number to give (and converting
  // would be an overflow, which the engine's traps do not forgive here).
  if (std::fabs(value) <= std::numeric_limits<double>::max()) return static_cast<double>(value);
  return std::nullopt;
}

std::string jsonLine(const JsonAnswer& answer) {
  // An ordered object: the fields come in the order a reader sees them documented.
  nlohmann::ordered_json line;
  line["formula"] = answer.formula;
  if (!answer.variable.empty()) line[answer.variable] = orNull(answer.variableValue);
  line["ok"] = answer.ok;
  line["result"] = orNull(answer.result);
  line["value"] = orNull(answer.value);
  line["message"] = orNull(answer.message);
  line["notes"] = answer.notes;
  return line.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}
