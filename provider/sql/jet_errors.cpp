// Formatting of the statement error descriptions.
#include "provider/sql/jet_errors.h"

#include "platform/codepage.h"

namespace provider::sql {
namespace {

std::string Quoted(const char* before, std::u16string_view text, const char* after) {
  return before + platform::WideToUtf8(text) + after;
}

}  // namespace

std::string MissingOperator(std::u16string_view expression) {
  return Quoted("Syntax error (missing operator) in query expression '", expression, "'.");
}

std::string StringSyntax(std::u16string_view expression) {
  return Quoted("Syntax error in string in query expression '", expression, "'.");
}

std::string DateSyntax(std::u16string_view expression) {
  return Quoted("Syntax error in date in query expression '", expression, "'.");
}

std::string MissingParenthesis(std::u16string_view expression) {
  return Quoted("Missing ), ], or Item in query expression '", expression, "'.");
}

std::string ExtraParenthesis(std::u16string_view expression) {
  return Quoted("Extra ) in query expression '", expression, "'.");
}

std::string QueryExpressionSyntax(std::u16string_view expression) {
  return Quoted("Syntax error in query expression '", expression, "'.");
}

std::string InvalidBracketing(std::u16string_view name) {
  return Quoted("Invalid bracketing of name '", name, "'.");
}

std::string InputTableNotFound(std::u16string_view name) {
  return Quoted("The Microsoft Jet database engine cannot find the input table or query '", name,
                "'.  Make sure it exists and that its name is spelled correctly.");
}

std::string CircularReference(std::u16string_view name) {
  return Quoted("Circular reference caused by '", name, "'.");
}

}  // namespace provider::sql
