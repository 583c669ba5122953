#include "cli/json_answer.h"

#include <nlohmann/json.hpp>

namespace {

template <typename T>
nlohmann::json orNull(const std::optional<T>& value) {
  return value ? nlohmann::json(*value) : nlohmann::json(nullptr);
}

}  // namespace

std::string jsonLine(const JsonAnswer& answer) {
  // An ordered object: the fields come in the order a reader sees them documented.
  nlohmann::ordered_json line = {
      {"formula", answer.formula},        {"ok", answer.ok},
      {"result", orNull(answer.result)},  {"value", orNull(answer.value)},
      {"message", orNull(answer.message)}, {"notes", answer.notes},
  };
  return line.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}
