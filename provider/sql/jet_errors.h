// The descriptions statements fail with, in the words a Jet user knows. Messages are UTF-8
// (names and expressions quoted in them may be Persian).
#pragma once

#include <string>
#include <string_view>

namespace provider::sql {

inline constexpr const char* kInvalidStatement =
    "Invalid SQL statement; expected 'DELETE', 'INSERT', 'PROCEDURE', 'SELECT', or 'UPDATE'.";
inline constexpr const char* kSelectPunctuation =
    "The SELECT statement includes a reserved word or an argument name that is misspelled or "
    "missing, or the punctuation is incorrect.";
inline constexpr const char* kFromSyntax = "Syntax error in FROM clause.";
inline constexpr const char* kOrderBySyntax = "Syntax error in ORDER BY clause.";
inline constexpr const char* kNoInputTable =
    "Query input must contain at least one table or query.";
inline constexpr const char* kAfterEnd = "Characters found after end of SQL statement.";
inline constexpr const char* kMissingParameters =
    "No value given for one or more required parameters.";
inline constexpr const char* kTypeMismatch = "Data type mismatch in criteria expression.";
inline constexpr const char* kInvalidPattern = "Invalid pattern string";
inline constexpr const char* kWhereSyntax = "Syntax error in WHERE clause.";
inline constexpr const char* kTooComplex = "Query is too complex.";
inline constexpr const char* kJoinNotSupported =
    "Joins are not supported; a statement reads one table or query.";
inline constexpr const char* kDistinctNotSupported = "DISTINCT and TOP are not supported.";
inline constexpr const char* kNotSelect =
    "Only SELECT statements can be run here; data is changed through the recordset.";

// "Syntax error (missing operator) in query expression 'a b'." and its siblings; expression is
// the clause's text as written.
std::string MissingOperator(std::u16string_view expression);
std::string StringSyntax(std::u16string_view expression);
std::string DateSyntax(std::u16string_view expression);
std::string MissingParenthesis(std::u16string_view expression);
std::string ExtraParenthesis(std::u16string_view expression);
std::string QueryExpressionSyntax(std::u16string_view expression);
std::string InvalidBracketing(std::u16string_view name);

// "The Microsoft Jet database engine cannot find the input table or query 'x'.  Make sure it
// exists and that its name is spelled correctly."
std::string InputTableNotFound(std::u16string_view name);
// A saved query that runs itself, directly or through others.
std::string CircularReference(std::u16string_view name);

}  // namespace provider::sql
