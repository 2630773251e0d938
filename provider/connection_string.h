// Connection strings: the key=value list a connection is opened with, and the Jet settings read
// from it.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "provider/enums.h"
#include "provider/status.h"

namespace provider {

// Pairs separated by ';'. A key runs to the first '=' ("==" stands for a '=' inside a key) and
// is compared without regard to case, spaces around it ignored. A value is taken up to the next
// ';' with surrounding spaces cut, or written in double or single quotes, in which ';' is plain
// text and the quote doubled stands for itself ("" is the empty value). Empty items (";;") are
// skipped; an item without '=' or with text after a closing quote is refused.
class ConnectionString {
 public:
  // Text in UTF-8. Failure: invalidArgument with the message Jet users see for a malformed
  // string.
  static Result<ConnectionString> Parse(std::string_view text);

  // The value of `key`, or nullptr when absent; when a key repeats, the last one holds.
  const std::string* Find(std::string_view key) const;
  const std::vector<std::pair<std::string, std::string>>& Entries() const { return entries_; }

 private:
  std::vector<std::pair<std::string, std::string>> entries_;
};

inline const std::string kMalformedConnectionString =
    "The connection string is malformed: each part must be key=value, with quotes closed.";

// The one provider this stand-in answers for.
inline const std::string kJetProvider = "Microsoft.Jet.OLEDB.4.0";

// What opening a Jet database needs, resolved from the string and the connection's properties.
struct JetSettings {
  std::string path;  // Data Source made absolute against the current directory, UTF-8
  ConnectModeEnum mode = adModeUnknown;
  std::string password;  // Jet OLEDB:Database Password
};

// `providerProperty` and `modeProperty` are the connection's Provider and Mode as last put; set,
// they take precedence over the string's keys (the data layer puts the same values in both).
// Failures: notFound for a provider other than Jet's, invalidArgument for a Mode the string
// names that is not a mode.
Result<JetSettings> ResolveJetSettings(const ConnectionString& string,
                                       const std::string& providerProperty,
                                       ConnectModeEnum modeProperty);

// Parses a Mode value: a number, or names ("Read", "Write", "ReadWrite", "Share Deny Read",
// "Share Deny Write", "Share Exclusive", "Share Deny None") joined by '|'. False if malformed.
bool ParseMode(std::string_view text, ConnectModeEnum* mode);

}  // namespace provider
