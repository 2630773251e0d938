// Field definitions and values of the ADO query over the sample database: the types and names
// the columns get, memo text through the blob stream, values of every buffer of a grid-sized
// window, and record numbers.
#include <gtest/gtest.h>

#include "core/stream.h"
#include "data/blob_field.h"
#include "data/custom_ado_dataset.h"
#include "data/fielddefs.h"
#include "data/numeric_field.h"
#include "data/string_field.h"
#include "tests/data/ado_sample_fixture.h"
#include "tests/data/numbered_rows.h"

namespace datatest {
namespace {

using FieldDefinitionTest = SampleQueryTest;

TEST_F(FieldDefinitionTest, ATopicTableGivesAnAutoNumberATitleAndThreeMemos) {
  Requery("SELECT * FROM kolliyat");
  TFieldDefs& defs = query_->FieldDefs();
  ASSERT_EQ(defs.Count(), 5);
  struct Expected {
    const char* name;
    TFieldType type;
    std::int32_t size;
  };
  const Expected expected[] = {
      {"id", TFieldType::ftAutoInc, 0},     {"kholase", TFieldType::ftWideString, 255},
      {"porsesh", TFieldType::ftMemo, 0},   {"pasokh", TFieldType::ftMemo, 0},
      {"pavaraghi", TFieldType::ftMemo, 0},
  };
  for (int i = 0; i < defs.Count(); ++i) {
    SCOPED_TRACE(expected[i].name);
    TFieldDef* def = defs.Items(i);
    EXPECT_EQ(def->Name(), expected[i].name);
    EXPECT_EQ(def->FieldNo(), i + 1);
    EXPECT_EQ(def->DataType(), expected[i].type);
    EXPECT_EQ(def->Size(), expected[i].size);
    // The rows of a statement over one table can be updated, all but the AutoNumber.
    EXPECT_EQ(def->Attributes().Contains(TFieldAttribute::faReadonly), i == 0);
    EXPECT_FALSE(def->Attributes().Contains(TFieldAttribute::faHiddenCol));
  }
  EXPECT_FALSE(query_->FieldNamed("kholase")->ReadOnly());
  EXPECT_TRUE(query_->FieldNamed("id")->ReadOnly());
  // The default fields follow the definitions' classes.
  EXPECT_NE(dynamic_cast<TAutoIncField*>(query_->FieldNamed("id")), nullptr);
  EXPECT_NE(dynamic_cast<TWideStringField*>(query_->FieldNamed("KHOLASE")), nullptr);
  EXPECT_NE(dynamic_cast<TMemoField*>(query_->FieldNamed("pasokh")), nullptr);
  EXPECT_EQ(query_->BookmarkSize(), 16);
}

TEST_F(FieldDefinitionTest, AColumnNamedTwiceGetsANumberedName) {
  Requery("SELECT kholase, kholase, kholase, id FROM kolliyat");
  TFieldDefs& defs = query_->FieldDefs();
  ASSERT_EQ(defs.Count(), 4);
  EXPECT_EQ(defs.Items(0)->Name(), "kholase");
  EXPECT_EQ(defs.Items(1)->Name(), "kholase_1");
  EXPECT_EQ(defs.Items(2)->Name(), "kholase_2");
  EXPECT_EQ(defs.Items(3)->Name(), "id");
  // The plain name finds the first; each copy reads the same column.
  const AnsiString first = TitlesOf("kolliyat", {1})[0];
  EXPECT_EQ(query_->FieldNamed("kholase"), query_->Fields()[0]);
  EXPECT_EQ(query_->FieldNamed("kholase")->StringValue(), first);
  EXPECT_EQ(query_->FieldNamed("kholase_1")->StringValue(), first);
  EXPECT_EQ(query_->FieldNamed("kholase_2")->StringValue(), first);
}

TEST_F(FieldDefinitionTest, ReopeningWithAnotherStatementMakesNewFields) {
  Requery("SELECT kholase FROM kolliyat");
  EXPECT_EQ(query_->Fields().Count(), 1);
  Requery("SELECT * FROM kolliyat");
  EXPECT_EQ(query_->Fields().Count(), 5);
  query_->SetActive(false);
  EXPECT_EQ(query_->Fields().Count(), 0);
}

TEST_F(FieldDefinitionTest, AFieldFreedWhileOpenLeavesTheOthersTheirValues) {
  Requery("SELECT * FROM kolliyat");
  const auto content = SampleContent("kolliyat");
  TField* pasokh = query_->FieldNamed("pasokh");
  // Both read, so both are cached in the buffer by their place in the field list.
  EXPECT_EQ(query_->FieldNamed("porsesh")->StringValue(), Shown(content[0].porsesh));
  EXPECT_EQ(pasokh->StringValue(), Shown(content[0].pasokh));
  delete query_->FieldNamed("porsesh");
  ASSERT_EQ(query_->Fields().Count(), 4);
  EXPECT_EQ(pasokh->StringValue(), Shown(content[0].pasokh));
  EXPECT_EQ(query_->FieldNamed("pavaraghi")->StringValue(), Shown(content[0].pavaraghi));
  query_->MoveToNext();
  EXPECT_EQ(pasokh->StringValue(), Shown(content[1].pasokh));
}

using MemoTest = SampleQueryTest;

TEST_F(MemoTest, AMemoIsReadThroughTheBlobStreamInTheSystemCodePage) {
  Requery("SELECT * FROM kolliyat");
  const auto content = SampleContent("kolliyat");
  TField* pasokh = query_->FieldNamed("pasokh");
  const AnsiString expected = Shown(content[0].pasokh);
  ASSERT_FALSE(expected.empty());
  EXPECT_EQ(pasokh->StringValue(), expected);
  EXPECT_EQ(pasokh->TextForDisplay(), "(MEMO)");

  std::unique_ptr<TStream> stream = query_->OpenBlobStream(pasokh, TBlobStreamMode::bmRead);
  EXPECT_EQ(stream->Size(), static_cast<std::int64_t>(expected.size()));
  AnsiString bytes(expected.size(), '\0');
  stream->ReadBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
  EXPECT_EQ(bytes, expected);
  // A read stream takes no writes.
  EXPECT_THROW(stream->WriteBuffer("x", 1), EStreamError);
}

TEST_F(MemoTest, ANullMemoReadsAsEmptyText) {
  Requery("SELECT * FROM kolliyat");
  // Record 9 has no footnotes.
  ASSERT_EQ(query_->MoveByDistance(8), 8);
  TField* pavaraghi = query_->FieldNamed("pavaraghi");
  EXPECT_TRUE(pavaraghi->IsNullValue());
  EXPECT_EQ(pavaraghi->StringValue(), "");
  EXPECT_EQ(pavaraghi->TextForDisplay(), "(Memo)");
  EXPECT_EQ(query_->OpenBlobStream(pavaraghi, TBlobStreamMode::bmRead)->Size(), 0);
  // The neighbours have theirs.
  query_->MoveToNext();
  EXPECT_EQ(pavaraghi->StringValue(), Shown(SampleContent("kolliyat")[9].pavaraghi));
}

TEST_F(MemoTest, WritingAMemoNeedsAWritableFieldInEditMode) {
  Requery("SELECT * FROM kolliyat");
  TField* pasokh = query_->FieldNamed("pasokh");
  pasokh->SetReadOnly(true);
  try {
    query_->OpenBlobStream(pasokh, TBlobStreamMode::bmReadWrite);
    FAIL() << "opened a read-only field for writing";
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "Qkolliyat: Field 'pasokh' cannot be modified");
  }
  pasokh->SetReadOnly(false);
  try {
    query_->OpenBlobStream(pasokh, TBlobStreamMode::bmWrite);
    FAIL() << "opened a memo for writing while browsing";
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "Qkolliyat: Dataset not in edit or insert mode");
  }
}

// A memo written in edit mode is kept in the record until the post stores it in the file.
TEST_F(MemoTest, AWrittenMemoIsPostedToTheFile) {
  Requery("SELECT * FROM kolliyat");
  TField* pasokh = query_->FieldNamed("pasokh");
  query_->BeginEdit();
  link_.ClearLog();
  {
    std::unique_ptr<TStream> stream = query_->OpenBlobStream(pasokh, TBlobStreamMode::bmWrite);
    EXPECT_EQ(stream->Size(), 0);
    stream->WriteBuffer(Ansi("پاسخ تازه").data(),
                        static_cast<std::int64_t>(Ansi("پاسخ تازه").size()));
  }
  EXPECT_EQ(link_.Log(), (std::vector<std::string>{"FieldValue(field) rec 0/1 first 0"}));
  EXPECT_EQ(pasokh->StringValue(), Ansi("پاسخ تازه"));
  EXPECT_TRUE(query_->RecordTouched());
  const std::int32_t id = query_->FieldNamed("id")->IntegerValue();
  query_->PostRecord();
  EXPECT_EQ(query_->State(), DataSetState::Browsing);
  EXPECT_EQ(pasokh->StringValue(), Ansi("پاسخ تازه"));
  // Read again from the file (a row that grew may have moved within the table).
  Requery(Format("SELECT * FROM kolliyat WHERE id = %d", id));
  ASSERT_EQ(query_->TotalRecordCount(), 1);
  EXPECT_EQ(query_->FieldNamed("pasokh")->StringValue(), Ansi("پاسخ تازه"));
}

// Over a connection that may only read, the recordset refuses the post in the provider's
// words, and the written memo stays in the record until the edit is cancelled.
TEST_F(MemoTest, AWrittenMemoIsKeptUntilTheRecordsetRefusesThePost) {
  connection_->SetConnected(false);
  connection_->SetMode(TConnectMode::cmRead);
  auto* query = new EditableQuery(&root_);
  query->SetName("Editable");
  query->SetConnection(connection_);
  query->SetCursorType(TCursorType::ctStatic);
  query->SQL()->Add("SELECT * FROM kolliyat");
  source_->SetDataSet(query);
  query->SetActive(true);
  TField* pasokh = query->FieldNamed("pasokh");
  const AnsiString original = pasokh->StringValue();
  pasokh->SetReadOnly(false);
  query->BeginEdit();
  {
    std::unique_ptr<TStream> stream = query->OpenBlobStream(pasokh, TBlobStreamMode::bmWrite);
    stream->WriteBuffer(Ansi("پاسخ تازه").data(),
                        static_cast<std::int64_t>(Ansi("پاسخ تازه").size()));
  }
  EXPECT_EQ(pasokh->StringValue(), Ansi("پاسخ تازه"));
  try {
    query->PostRecord();
    FAIL() << "the recordset stored a value it cannot write";
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(
        e.what(),
        "Field cannot be updated: the column is read-only or the provider cannot write it");
  }
  EXPECT_EQ(query->State(), DataSetState::Editing);
  EXPECT_EQ(pasokh->StringValue(), Ansi("پاسخ تازه"));
  query->CancelRecord();
  EXPECT_EQ(query->State(), DataSetState::Browsing);
  EXPECT_EQ(pasokh->StringValue(), original);
}

using WindowValuesTest = SampleQueryTest;

TEST_F(WindowValuesTest, EveryBufferOfAGridWindowReadsItsOwnRecord) {
  RecordingLink grid(5);
  grid.AttachToSource(source_);
  Requery("SELECT * FROM kolliyat");
  ASSERT_EQ(query_->FilledCount(), 5);
  const auto titles = TitlesOf("kolliyat", {1, 2, 3, 4, 5});
  TField* kholase = query_->FieldNamed("kholase");
  // Out of order, so that the recordset has to be moved back to each buffer's record.
  for (int i : {4, 0, 2, 1, 3, 0}) {
    query_->SetActiveIndex(i);
    EXPECT_EQ(kholase->StringValue(), titles[static_cast<std::size_t>(i)]) << "buffer " << i;
    EXPECT_EQ(query_->FieldNamed("id")->IntegerValue(), i + 1);
  }
  grid.AttachToSource(nullptr);
}

TEST_F(WindowValuesTest, AWindowSlidingToTheEndShowsTheLastRecords) {
  RecordingLink grid(4);
  grid.AttachToSource(source_);
  Requery("SELECT * FROM kolliyat");
  query_->MoveToLast();
  EXPECT_EQ(query_->ActiveIndex(), 3);
  EXPECT_EQ(query_->FieldNamed("id")->IntegerValue(), 18);
  query_->MoveByDistance(-3);
  EXPECT_EQ(query_->FieldNamed("id")->IntegerValue(), 15);
  EXPECT_EQ(query_->FieldNamed("kholase")->StringValue(), TitlesOf("kolliyat", {15})[0]);
  grid.AttachToSource(nullptr);
}

TEST_F(WindowValuesTest, RecordNumbersFollowTheCursorAlsoWhileControlsAreSuspended) {
  Requery("SELECT * FROM kolliyat");
  EXPECT_EQ(query_->CurrentRecordNumber(), 1);
  query_->MoveToNext();
  query_->MoveToNext();
  EXPECT_EQ(query_->CurrentRecordNumber(), 3);
  query_->SuspendControls();
  query_->MoveToLast();
  query_->MoveToPrior();
  // Not read while suspended, read now on demand.
  EXPECT_EQ(query_->CurrentRecordNumber(), 17);
  query_->ResumeControls();
  EXPECT_EQ(query_->CurrentRecordNumber(), 17);
}

TEST_F(WindowValuesTest, MovesPastTheEndsStopAtTheFirstAndLastRecords) {
  Requery("SELECT * FROM kolliyat");
  EXPECT_EQ(query_->MoveByDistance(-5), 0);
  EXPECT_TRUE(query_->AtBOF());
  EXPECT_EQ(query_->MoveByDistance(100), 17);
  EXPECT_TRUE(query_->AtEOF());
  EXPECT_EQ(query_->FieldNamed("id")->IntegerValue(), 18);
  query_->MoveToFirst();
  EXPECT_EQ(query_->FieldNamed("id")->IntegerValue(), 1);
}

}  // namespace
}  // namespace datatest
