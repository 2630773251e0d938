// The Connection object: one open Jet database, shared by the commands and recordsets that name
// it as their active connection.
#pragma once

#include <memory>
#include <string>

#include "provider/enums.h"
#include "provider/file_writer.h"
#include "provider/hresult.h"
#include "provider/jet/database.h"
#include "provider/share_lock.h"
#include "provider/table_cache.h"
#include "provider/unknown.h"

namespace provider {

// Settings are put while closed; putting ConnectionString, Mode or Provider while open fails
// with adErrObjectOpen, as ADO refuses it. Failed calls leave an error object (error_info.h).
class Connection : public Unknown {
 public:
  HRESULT get_ConnectionString(std::u16string* value) const;
  HRESULT put_ConnectionString(const std::u16string& value);
  HRESULT get_Mode(ConnectModeEnum* value) const;
  HRESULT put_Mode(ConnectModeEnum value);
  HRESULT get_Provider(std::u16string* value) const;
  HRESULT put_Provider(const std::u16string& value);
  HRESULT get_CursorLocation(CursorLocationEnum* value) const;
  HRESULT put_CursorLocation(CursorLocationEnum value);
  HRESULT get_State(std::int32_t* value) const;

  // Opens the database the string names (`connectionString`, or the ConnectionString property
  // when it is empty, which it then replaces). `userId` other than empty or "Admin" is refused,
  // there being no workgroup file; `password` is that user's, not the database password.
  // `options` is adConnectUnspecified: opening is synchronous.
  HRESULT Open(const std::u16string& connectionString, const std::u16string& userId,
               const std::u16string& password, std::int32_t options);
  // Closes the database. Recordsets already open keep reading it until they close.
  HRESULT Close();

  // The open database as last read (after this connection's last change), or null while closed.
  std::shared_ptr<const jet::Database> Database() const;
  // What the statements of this connection keep between them, or null while closed.
  std::shared_ptr<TableCache> Cache() const;
  // How the statements of this connection change the file, or null while closed.
  std::shared_ptr<FileWriter> Writer() const { return writer_; }

 private:
  std::u16string connectionString_;
  std::u16string provider_;
  ConnectModeEnum mode_ = adModeUnknown;
  CursorLocationEnum cursorLocation_ = adUseServer;
  std::shared_ptr<FileWriter> writer_;
  ShareLock lock_;
};

}  // namespace provider
