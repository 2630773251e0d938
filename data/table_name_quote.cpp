// Bracket quoting of table and procedure names.
#include "data/table_name_quote.h"

WideString BracketQuotedName(const WideString& name) {
  if (name.find(u' ') == WideString::npos || name.front() == u'[') return name;
  // A procedure number after ';' and an owner before the last '.' of the name stay outside.
  std::size_t suffix = name.find(u';');
  if (suffix == WideString::npos) suffix = name.size();
  std::size_t dot = name.rfind(u'.', suffix == 0 ? 0 : suffix - 1);
  std::size_t start = dot == WideString::npos || dot >= suffix ? 0 : dot + 1;
  WideString result = name.substr(0, start);
  result += u'[';
  result += name.substr(start, suffix - start);
  result += u']';
  result += name.substr(suffix);
  return result;
}
