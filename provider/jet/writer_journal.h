// The rollback journal beside a file being written: the pages a commit overwrites, saved and
// synced before the file is touched, and put back if the commit did not finish.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "provider/jet/writer_page_store.h"
#include "provider/status.h"

namespace provider::jet {

// `<file>-journal`.
std::string JournalPath(const std::string& path);

// Writes the journal for a commit of `changes` to a file of `filePageCount` pages of `pageSize`
// bytes, then syncs it, and its folder when the journal is new. Only when this succeeded may the
// file be changed.
Status WriteJournal(const std::string& path, std::size_t pageSize, std::uint32_t filePageCount,
                    const std::vector<ChangedPage>& changes);

// Ends a commit once the file is synced: empties the journal and syncs it. An empty journal counts
// as none; keeping the file saves a folder sync at every commit, as a new entry needs one.
Status EmptyJournal(const std::string& path);

// Removes the journal, and syncs the folder.
Status RemoveJournal(const std::string& path);

// What a journal found beside a file holds.
struct JournalContents {
  std::size_t pageSize = 0;
  std::uint32_t filePageCount = 0;
  std::vector<std::pair<std::uint32_t, std::vector<std::uint8_t>>> pages;  // number, old bytes
};

// The journal beside `path`: nothing when there is none or when it is incomplete (its writer died
// before syncing it, so the file was not touched); io when it exists but cannot be read.
Result<std::optional<JournalContents>> ReadJournal(const std::string& path);

// Puts the journal's pages back into the open file `descriptor`, cuts it to its old length and
// syncs it.
Status RestorePages(int descriptor, const JournalContents& journal);

// The same, on a copy of the file held in memory.
void RestorePages(std::vector<std::uint8_t>& file, const JournalContents& journal);

// With the writer lock of `path` held: puts back the pages of a complete journal beside it and
// removes the journal; an incomplete one is only removed. io when the file cannot be written.
Status RollBackJournal(const std::string& path);

// Makes the file at `path` whole again after a writer died in a commit: when a complete journal
// lies beside it and no live writer holds the file, its pages go back and it is removed; an
// incomplete journal is removed. Returns the file's bytes with the journal applied (for the
// reader to use instead of the file) when the journal belongs to a live writer's commit or the
// file or folder cannot be written; nothing when the file itself is whole to read.
Result<std::optional<std::vector<std::uint8_t>>> RecoverFile(const std::string& path);

// Syncs the folder holding `path`, so that a file created or removed there stays so.
// The folder holding the file at `path`, with its trailing slash ("." for a bare name).
std::string FolderOf(const std::string& path);

Status SyncFolder(const std::string& path);

}  // namespace provider::jet
