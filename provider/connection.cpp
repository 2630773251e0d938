// Opening and closing the Jet database behind a Connection.
#include "provider/connection.h"

#include <cctype>

#include "platform/codepage.h"
#include "provider/connection_string.h"
#include "provider/error_info.h"

namespace provider {

namespace {

HRESULT RefuseWhileOpen() {
  return Fail(adErrObjectOpen, "Operation is not allowed when the object is open.",
              kConnectionSource);
}

bool IsAdmin(const std::string& user) {
  if (user.empty()) return true;
  std::string lower;
  for (char c : user) lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower == "admin";
}

}  // namespace

HRESULT Connection::get_ConnectionString(std::u16string* value) const {
  *value = connectionString_;
  return S_OK;
}

HRESULT Connection::put_ConnectionString(const std::u16string& value) {
  if (writer_) return RefuseWhileOpen();
  connectionString_ = value;
  return S_OK;
}

HRESULT Connection::get_Mode(ConnectModeEnum* value) const {
  *value = mode_;
  return S_OK;
}

HRESULT Connection::put_Mode(ConnectModeEnum value) {
  if (writer_) return RefuseWhileOpen();
  mode_ = value;
  return S_OK;
}

HRESULT Connection::get_Provider(std::u16string* value) const {
  *value = provider_;
  return S_OK;
}

HRESULT Connection::put_Provider(const std::u16string& value) {
  if (writer_) return RefuseWhileOpen();
  provider_ = value;
  return S_OK;
}

HRESULT Connection::get_CursorLocation(CursorLocationEnum* value) const {
  *value = cursorLocation_;
  return S_OK;
}

HRESULT Connection::put_CursorLocation(CursorLocationEnum value) {
  if (value != adUseServer && value != adUseClient) {
    return Fail(adErrInvalidArgument,
                "Arguments are of the wrong type, are out of acceptable range, or are in "
                "conflict with one another.",
                kConnectionSource);
  }
  cursorLocation_ = value;
  return S_OK;
}

HRESULT Connection::get_State(std::int32_t* value) const {
  *value = writer_ ? adStateOpen : adStateClosed;
  return S_OK;
}

HRESULT Connection::Open(const std::u16string& connectionString, const std::u16string& userId,
                         const std::u16string& password, std::int32_t options) {
  if (writer_) return RefuseWhileOpen();
  if (!connectionString.empty()) connectionString_ = connectionString;

  auto parsed = ConnectionString::Parse(platform::WideToUtf8(connectionString_));
  if (!parsed.ok()) return Fail(parsed.status(), kConnectionSource);
  auto settings = ResolveJetSettings(parsed.value(), platform::WideToUtf8(provider_), mode_);
  if (!settings.ok()) {
    const bool missingProvider = settings.status().kind() == StatusKind::notFound;
    return Fail(missingProvider ? adErrProviderNotFound : E_FAIL, settings.status().message(),
                kConnectionSource);
  }

  std::string user = platform::WideToUtf8(userId);
  if (user.empty()) {
    if (const std::string* key = parsed.value().Find("User ID")) user = *key;
  }
  std::string userPassword = platform::WideToUtf8(password);
  if (userPassword.empty()) {
    if (const std::string* key = parsed.value().Find("Password")) userPassword = *key;
  }
  if (!IsAdmin(user) || !userPassword.empty()) {
    return Fail(E_FAIL, "Not a valid account name or password.", kJetSource);
  }

  jet::OpenOptions openOptions;
  openOptions.password = settings.value().password;
  auto opened = jet::Database::Open(settings.value().path, openOptions);
  if (!opened.ok()) {
    const bool wrongPassword = opened.status().kind() == StatusKind::invalidArgument;
    return Fail(wrongPassword ? DB_SEC_E_AUTH_FAILED : E_FAIL, Describe(opened.status()),
                kJetSource);
  }
  if (Status locked = lock_.Acquire(settings.value().path, settings.value().mode); !locked.ok()) {
    return Fail(locked, kJetSource);
  }
  auto cache = std::make_shared<TableCache>(std::shared_ptr<const jet::Database>(opened.take()));
  const bool readOnly = (settings.value().mode & adModeReadWrite) == adModeRead;
  writer_ =
      std::make_shared<FileWriter>(settings.value().path, openOptions, readOnly, std::move(cache));
  if (mode_ == adModeUnknown) mode_ = settings.value().mode;
  return S_OK;
}

std::shared_ptr<const jet::Database> Connection::Database() const {
  return writer_ ? writer_->Cache()->Database() : nullptr;
}

std::shared_ptr<TableCache> Connection::Cache() const {
  return writer_ ? writer_->Cache() : nullptr;
}

HRESULT Connection::Close() {
  if (!writer_) {
    return Fail(adErrObjectClosed, "Operation is not allowed when the object is closed.",
                kConnectionSource);
  }
  writer_.reset();
  lock_.Release();
  return S_OK;
}

}  // namespace provider
