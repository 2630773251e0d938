// jetdb build CONTENT_DIR OUT.mdb: the database from the content files, one per topic table.
#include "tools/jetdb/build_command.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "platform/codepage.h"
#include "provider/jet/new_database.h"
#include "tools/jetdb/commands.h"

namespace jetdb {

namespace {

using provider::Value;
using provider::jet::ColumnSpec;
using provider::jet::ColumnType;

Value Optional(const std::optional<std::u16string>& text) {
  if (text) return *text;
  return {};
}

provider::jet::TableSpec TopicSpec(const std::string& name) {
  return {platform::Utf8ToWide(name),
          {ColumnSpec{u"id", ColumnType::longInteger, 0, true},
           ColumnSpec{u"kholase", ColumnType::text, 255, false},
           ColumnSpec{u"porsesh", ColumnType::memo, 0, false},
           ColumnSpec{u"pasokh", ColumnType::memo, 0, false},
           ColumnSpec{u"pavaraghi", ColumnType::memo, 0, false}},
          false};
}

}  // namespace

const std::vector<std::string>& TopicTableNames() {
  static const std::vector<std::string> names = {"kolliyat", "ejaz",    "elm",     "payambaran",
                                                 "vahy",     "mohamad", "ptarsilo"};
  return names;
}

provider::Status WriteTopicDatabase(const std::vector<TopicTable>& tables, const std::string& path,
                                    provider::DateTime created) {
  auto database = provider::jet::NewDatabase::Create(created);
  VELMORA_RETURN_IF_ERROR(database);
  for (const TopicTable& table : tables) {
    auto writer = database.value()->CreateTable(TopicSpec(table.name));
    VELMORA_RETURN_IF_ERROR(writer);
    for (std::size_t i = 0; i < table.records.size(); ++i) {
      const ContentRecord& record = table.records[i];
      auto row =
          writer.value()->InsertRow({Value{}, Optional(record.kholase), Optional(record.porsesh),
                                     Optional(record.pasokh), Optional(record.pavaraghi)});
      if (!row.ok())
        return provider::Status::InvalidArgument(row.status().message(),
                                                 table.name + " record " + std::to_string(i + 1));
    }
  }
  for (const TopicTable& table : tables) {
    const std::u16string name = platform::Utf8ToWide(table.name);
    provider::Status status = database.value()->CreateSelectQuery(u"Q" + name, name);
    VELMORA_RETURN_IF_ERROR(status);
  }
  return database.value()->Save(path);
}

provider::DateTime BuildTime() {
  std::time_t seconds = std::time(nullptr);
  if (const char* epoch = std::getenv("SOURCE_DATE_EPOCH"); epoch != nullptr && *epoch != '\0') {
    char* end = nullptr;
    const long long value = std::strtoll(epoch, &end, 10);
    if (*end == '\0' && value >= 0) seconds = static_cast<std::time_t>(value);
  }
  // Days since 1899-12-30; the Unix epoch is day 25569.
  return provider::DateTime{25569.0 + static_cast<double>(seconds) / 86400.0};
}

int RunBuild(const std::vector<std::string>& args) {
  // --without NAME leaves a topic table (and its saved query) out, for databases that lack one.
  std::vector<std::string> paths;
  std::vector<std::string> without;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--without" && i + 1 < args.size()) {
      without.push_back(args[++i]);
    } else {
      paths.push_back(args[i]);
    }
  }
  if (paths.size() != 2) {
    std::fprintf(stderr, "jetdb build: expected [--without TABLE]... CONTENT_DIR OUT.mdb\n");
    return 2;
  }
  std::vector<TopicTable> tables;
  for (const std::string& name : TopicTableNames()) {
    if (std::find(without.begin(), without.end(), name) != without.end()) continue;
    auto records = ReadContentFile(paths[0] + "/" + name + ".txt");
    if (!records.ok()) {
      std::fprintf(stderr, "jetdb build: %s\n", records.status().message().c_str());
      return 1;
    }
    tables.push_back({name, records.take()});
  }
  provider::Status status = WriteTopicDatabase(tables, paths[1], BuildTime());
  if (!status.ok()) {
    std::fprintf(stderr, "jetdb build: %s\n", status.ToString().c_str());
    return 1;
  }
  return 0;
}

}  // namespace jetdb
