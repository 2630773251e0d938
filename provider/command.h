// The Command object: what a recordset opens (a statement or a table name) and over which
// connection.
#pragma once

#include <memory>
#include <string>

#include "provider/connection.h"
#include "provider/enums.h"
#include "provider/hresult.h"
#include "provider/unknown.h"

namespace provider {

class Command : public Unknown {
 public:
  HRESULT get_CommandType(CommandTypeEnum* value) const;
  // adCmdText (a statement), adCmdTable (a table or saved query, its name optionally in
  // brackets) or adCmdUnknown; other kinds are refused.
  HRESULT put_CommandType(CommandTypeEnum value);
  HRESULT get_CommandText(std::u16string* value) const;
  HRESULT put_CommandText(const std::u16string& value);
  // Seconds; kept for the caller (statements here run to completion). Negative is refused.
  HRESULT get_CommandTimeout(std::int32_t* value) const;
  HRESULT put_CommandTimeout(std::int32_t value);
  // Kept for the caller: every statement is prepared when it runs.
  HRESULT get_Prepared(bool* value) const;
  HRESULT put_Prepared(bool value);
  HRESULT get_ActiveConnection(std::shared_ptr<Connection>* value) const;
  // Shares `connection` (null detaches the command).
  HRESULT putref_ActiveConnection(std::shared_ptr<Connection> connection);

 private:
  CommandTypeEnum commandType_ = adCmdUnknown;
  std::u16string commandText_;
  std::int32_t commandTimeout_ = 30;
  bool prepared_ = false;
  std::shared_ptr<Connection> connection_;
};

}  // namespace provider
