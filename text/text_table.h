// Tables of texts in English and German, looked up by an enum id. The
// calculator's messages and the installer's texts both use them.
#pragma once

#include <cstddef>
#include <string>

#include "text/codepage.h"
#include "text/language.h"

// A row of a text table: a text in English and in German (UTF-8 in the
// source; shown as Windows-1252).
template <typename Id>
struct TextRow {
  Id id;
  const char* english;
  const char* german;
};

// True when every row stands at the index of its id.
template <typename Id, std::size_t N>
constexpr bool rowsInOrder(const TextRow<Id> (&rows)[N]) {
  for (std::size_t i = 0; i < N; ++i)
    if (static_cast<std::size_t>(rows[i].id) != i) return false;
  return true;
}

// The text of id in a language, as Windows-1252. Converted on each call:
// texts are looked up when they are shown, which is rare next to the
// calculations, and a table with nothing cached can be shared by threads.
template <typename Id, std::size_t N>
std::string textOf(const TextRow<Id> (&rows)[N], Id id, Language language) {
  const TextRow<Id>& row = rows[static_cast<std::size_t>(id)];
  return language == Language::German ? utf8ToWindows1252(row.german) : std::string(row.english);
}
