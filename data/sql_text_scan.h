// Finding the :name parameters in SQL text and turning them into the provider's question marks.
#pragma once

#include <string_view>
#include <vector>

#include "core/sysutils.h"

template <class S>
struct TBasicScannedSQL {
  S Text;                     // the text to send, each parameter a single '?'
  std::vector<S> Parameters;  // the names in order of appearance, repeats included
};
using TScannedSQL = TBasicScannedSQL<AnsiString>;
using TScannedWideSQL = TBasicScannedSQL<WideString>;

// Scans single-byte text once, left to right. A quote (', " or `) opens a literal that only the
// same quote closes, so a doubled quote toggles twice and stays balanced, and a user's text
// between single quotes never yields a parameter. Outside literals "::" becomes ":", and a colon
// followed by a name becomes '?' with the name (quotes stripped) added to the list; the name
// runs up to the next line feed, carriage return, space, ')', ',' or ';' outside a literal, or
// the end. A colon with no name after it is kept as it is. A double-byte lead byte and the byte
// after it pass through together.
TScannedSQL ScanSQLText(std::string_view text);
// The same rules over UTF-16 text, which has no lead bytes; what a command scans, so that a
// character outside the code page reaches the provider as it was written.
TScannedWideSQL ScanSQLText(std::u16string_view text);
