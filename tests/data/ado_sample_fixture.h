// What the ADO dataset tests over the sample database share: the connection as the program
// sets it up, a query with a data source and a recording link, and the sample content the
// database was built from, to compare rows with.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "data/ado_connection.h"
#include "data/ado_query.h"
#include "data/datasource.h"
#include "data/field.h"
#include "data/fields.h"
#include "platform/codepage.h"
#include "tests/data/recording_link.h"
#include "tests/data/sample_database.h"
#include "tests/data/test_root.h"
#include "tools/jetdb/content_reader.h"

namespace datatest {

// The records of a sample table in file order, as the content files hold them.
inline std::vector<jetdb::ContentRecord> SampleContent(const std::string& table) {
  auto records = jetdb::ReadContentFile(std::string(VELMORA_CONTENT_DIR) + "/" + table + ".txt");
  if (!records.ok()) ADD_FAILURE() << records.status().ToString();
  return records.ok() ? records.take() : std::vector<jetdb::ContentRecord>{};
}

// A content value in the system code page, as a field shows it (Null as empty text).
inline AnsiString Shown(const std::optional<std::u16string>& value) {
  return value ? platform::WideToAnsi(*value) : AnsiString();
}

// UTF-8 source text (the Persian literals of the tests) in the system code page.
inline AnsiString Ansi(std::string_view utf8) {
  return platform::Utf8ToAnsi(utf8);
}

class SampleQueryTest : public testing::Test {
 protected:
  SampleQueryTest() : here_(copy_.Folder()) {
    connection_ = new TADOConnection(&root_);
    connection_->SetName("ADOConnection1");
    connection_->SetConnectionString(kProgramConnectionString);
    connection_->SetLoginPrompt(false);
    connection_->SetMode(TConnectMode::cmShareDenyNone);
    query_ = new TADOQuery(&root_);
    query_->SetName("Qkolliyat");
    query_->SetConnection(connection_);
    query_->SetCursorType(TCursorType::ctStatic);
    source_ = new TDataSource(&root_);
    source_->SetName("Dqkolliyat");
    source_->SetDataSet(query_);
    link_.AttachToSource(source_);
  }

  // The program's re-query: close, clear the SQL, add the one statement, open, read the count.
  std::int32_t Requery(const AnsiString& statement) {
    query_->SetActive(false);
    query_->SQL()->Clear();
    query_->SQL()->Add(statement);
    query_->SetActive(true);
    return query_->TotalRecordCount();
  }

  // The kholase of every row, walking from the first to the last.
  std::vector<AnsiString> Titles() {
    std::vector<AnsiString> titles;
    query_->MoveToFirst();
    while (!query_->AtEOF()) {
      titles.push_back(query_->FieldNamed("kholase")->StringValue());
      query_->MoveToNext();
    }
    return titles;
  }

  // The titles of the given 1-based records of a sample table.
  static std::vector<AnsiString> TitlesOf(const std::string& table, std::vector<int> records) {
    const auto content = SampleContent(table);
    std::vector<AnsiString> titles;
    for (int record : records) titles.push_back(Shown(content.at(record - 1).kholase));
    return titles;
  }

  // Each test edits, if at all, a copy of its own.
  CopyOfSampleDatabase copy_;
  CurrentDirectory here_;
  TDataTestRoot root_{nullptr};
  TADOConnection* connection_;
  TADOQuery* query_;
  TDataSource* source_;
  // Declared last: it leaves the source before the components go.
  RecordingLink link_;
};

}  // namespace datatest
