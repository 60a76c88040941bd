#pragma once

#include <string>
#include <vector>

namespace sorvane {

// The one way a text a user reads gets into their language. The core calls
// Tr with the English source text; a front-end with translations installs a
// lookup, and without one the English text stands. Placeholders are "%1",
// "%2", ... so a translation can reorder them (TrArg fills them).
using TranslateFunction = std::string (*)(const char* context, const char* source);

void SetTranslateFunction(TranslateFunction lookup);
std::string Tr(const char* context, const char* source);

// `text` with each "%n" replaced by values[n - 1]; others stay as written.
std::string TrArg(const std::string& text, const std::vector<std::string>& values);

}  // namespace sorvane

// Marks a text for translation where it is looked up (the translation tools
// read both macros as Qt's translate and QT_TRANSLATE_NOOP).
#define SORVANE_TR(context, text) ::sorvane::Tr(context, text)
// Marks a text kept in a table and looked up later with Tr.
#define SORVANE_TR_NOOP(context, text) text
