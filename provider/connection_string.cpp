// Parsing connection strings and reading Jet's keys from them.
#include "provider/connection_string.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <filesystem>
#include <system_error>

namespace provider {

namespace {

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsSpace(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsSpace(s.back())) s.remove_suffix(1);
  return s;
}

bool EqualNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

Status Malformed(std::size_t at) {
  return Status::InvalidArgument(kMalformedConnectionString,
                                 "connection string, character " + std::to_string(at + 1));
}

}  // namespace

Result<ConnectionString> ConnectionString::Parse(std::string_view text) {
  ConnectionString result;
  std::size_t i = 0;
  const std::size_t n = text.size();
  while (i < n) {
    std::size_t itemStart = i;
    std::string key;
    while (i < n && text[i] != ';') {
      if (text[i] == '=') {
        if (i + 1 < n && text[i + 1] == '=') {
          key += '=';
          i += 2;
          continue;
        }
        break;
      }
      key += text[i++];
    }
    if (i >= n || text[i] == ';') {
      if (!Trim(key).empty()) return Malformed(itemStart);
      ++i;  // an empty item
      continue;
    }
    std::string_view trimmedKey = Trim(key);
    if (trimmedKey.empty()) return Malformed(itemStart);
    ++i;  // the '='
    while (i < n && IsSpace(text[i])) ++i;
    std::string value;
    if (i < n && (text[i] == '"' || text[i] == '\'')) {
      const char quote = text[i];
      std::size_t open = i++;
      for (;;) {
        if (i >= n) return Malformed(open);
        if (text[i] == quote) {
          if (i + 1 < n && text[i + 1] == quote) {
            value += quote;
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        value += text[i++];
      }
      while (i < n && IsSpace(text[i])) ++i;
      if (i < n && text[i] != ';') return Malformed(i);
    } else {
      std::size_t end = text.find(';', i);
      if (end == std::string_view::npos) end = n;
      value = Trim(text.substr(i, end - i));
      i = end;
    }
    result.entries_.emplace_back(std::string(trimmedKey), std::move(value));
    ++i;  // the ';' (or past the end)
  }
  return result;
}

const std::string* ConnectionString::Find(std::string_view key) const {
  for (auto it = entries_.rbegin(); it != entries_.rend(); ++it) {
    if (EqualNoCase(it->first, key)) return &it->second;
  }
  return nullptr;
}

bool ParseMode(std::string_view text, ConnectModeEnum* mode) {
  static const std::pair<std::string_view, int> kNames[] = {
      {"Read", adModeRead},
      {"Write", adModeWrite},
      {"ReadWrite", adModeReadWrite},
      {"Share Deny Read", adModeShareDenyRead},
      {"Share Deny Write", adModeShareDenyWrite},
      {"Share Exclusive", adModeShareExclusive},
      {"Share Deny None", adModeShareDenyNone},
  };
  text = Trim(text);
  int number = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (error == std::errc() && end == text.data() + text.size() && !text.empty()) {
    if (number < 0 || number > 0x3F) return false;
    *mode = static_cast<ConnectModeEnum>(number);
    return true;
  }
  int bits = 0;
  while (true) {
    std::size_t bar = text.find('|');
    std::string_view part = Trim(text.substr(0, bar));
    auto found = std::find_if(std::begin(kNames), std::end(kNames),
                              [&](const auto& name) { return EqualNoCase(name.first, part); });
    if (found == std::end(kNames)) return false;
    bits |= found->second;
    if (bar == std::string_view::npos) break;
    text.remove_prefix(bar + 1);
  }
  *mode = static_cast<ConnectModeEnum>(bits);
  return true;
}

Result<JetSettings> ResolveJetSettings(const ConnectionString& string,
                                       const std::string& providerProperty,
                                       ConnectModeEnum modeProperty) {
  std::string providerName = providerProperty;
  if (providerName.empty()) {
    if (const std::string* key = string.Find("Provider")) providerName = *key;
  }
  if (!EqualNoCase(Trim(providerName), kJetProvider)) {
    return Status::NotFound("Provider cannot be found. It may not be properly installed.",
                            "provider '" + providerName + "'");
  }

  JetSettings settings;
  settings.mode = modeProperty;
  if (settings.mode == adModeUnknown) {
    if (const std::string* key = string.Find("Mode")) {
      if (!ParseMode(*key, &settings.mode)) {
        return Status::InvalidArgument(kMalformedConnectionString, "Mode '" + *key + "'");
      }
    }
  }
  if (const std::string* key = string.Find("Jet OLEDB:Database Password")) {
    settings.password = *key;
  }

  std::string source;
  if (const std::string* key = string.Find("Data Source")) source = *key;
  std::error_code error;
  std::filesystem::path path = std::filesystem::absolute(std::filesystem::path(source), error);
  if (error) path = std::filesystem::path(source);
  settings.path = path.lexically_normal().string();
  return settings;
}

}  // namespace provider
