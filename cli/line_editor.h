// The prompt's line input: libedit on a Linux terminal (editing, history
// kept across runs, Tab completion); elsewhere a plain reader that shows
// the prompt and leaves editing to the console.
#pragma once

#include <string>
#include <vector>

// Loads the kept history; words are what Tab completes.
void openLineEditor(const std::vector<std::string>& words);
// Shows the prompt and reads a line; false at the end of the input (Ctrl-D).
bool readEditedLine(const char* prompt, std::string& line);
// Ends the prompt (the history is kept line by line as it grows).
void closeLineEditor();
