// Command settings.
#include "provider/command.h"

#include "provider/error_info.h"

namespace provider {

HRESULT Command::get_CommandType(CommandTypeEnum* value) const {
  *value = commandType_;
  return S_OK;
}

HRESULT Command::put_CommandType(CommandTypeEnum value) {
  if (value != adCmdText && value != adCmdTable && value != adCmdUnknown) {
    return Fail(adErrFeatureNotAvailable,
                "Object or provider is not capable of performing requested operation.",
                kCommandSource);
  }
  commandType_ = value;
  return S_OK;
}

HRESULT Command::get_CommandText(std::u16string* value) const {
  *value = commandText_;
  return S_OK;
}

HRESULT Command::put_CommandText(const std::u16string& value) {
  commandText_ = value;
  return S_OK;
}

HRESULT Command::get_CommandTimeout(std::int32_t* value) const {
  *value = commandTimeout_;
  return S_OK;
}

HRESULT Command::put_CommandTimeout(std::int32_t value) {
  if (value < 0) {
    return Fail(adErrInvalidArgument,
                "Arguments are of the wrong type, are out of acceptable range, or are in "
                "conflict with one another.",
                kCommandSource);
  }
  commandTimeout_ = value;
  return S_OK;
}

HRESULT Command::get_Prepared(bool* value) const {
  *value = prepared_;
  return S_OK;
}

HRESULT Command::put_Prepared(bool value) {
  prepared_ = value;
  return S_OK;
}

HRESULT Command::get_ActiveConnection(std::shared_ptr<Connection>* value) const {
  *value = connection_;
  return S_OK;
}

HRESULT Command::putref_ActiveConnection(std::shared_ptr<Connection> connection) {
  connection_ = std::move(connection);
  return S_OK;
}

}  // namespace provider
