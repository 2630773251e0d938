// Keeping one physical index in step with row changes, on the pages of a store.
#pragma once

#include <cstdint>
#include <vector>

#include "provider/jet/index_def.h"
#include "provider/jet/index_format.h"
#include "provider/jet/index_page.h"
#include "provider/jet/writer_page_store.h"
#include "provider/status.h"

namespace provider::jet {

// The index's root page never moves (the table definition names it): a root that splits keeps
// its number and becomes the page above the two halves. As in the files Access writes, the last
// leaf is named by no entry above it but by the tail link of the pages on the way down to it;
// every other page is named by an entry holding its last entry's key and row. Leaves, and the
// pages of each level above them, are chained both ways in key order. New pages come from the
// store (marked used in the file's map) and are added to the index's own usage map; a leaf left
// empty leaves the chain and both maps, unless it is the root or the tail.
//
// Every method reads the pages it needs first and fails before writing when they are damaged
// (corruption), except that a failure of the store itself can stop a change midway: the caller
// undoes the whole change then (PageStore::UndoChange).
class IndexWriter {
 public:
  IndexWriter(PageStore& store, const IndexFormat& format, const IndexDef& index,
              std::uint32_t owner)
      : store_(&store), format_(&format), index_(&index), owner_(owner) {}

  // Whether some entry has exactly `key`, whatever its row.
  Result<bool> HasKey(const std::vector<std::uint8_t>& key);
  // Adds `entry` (a leaf entry) in key order.
  Status Insert(const IndexEntry& entry);
  // Removes `entry`; corruption when the index does not hold it.
  Status Remove(const IndexEntry& entry);

 private:
  // One page on the way from the root to a leaf, and which of its entries was followed
  // (entries.size(): its tail).
  struct Step {
    std::uint32_t number = 0;
    IndexPage page;
    std::size_t taken = 0;
  };

  Result<IndexPage> Read(std::uint32_t number) const;
  void Write(std::uint32_t number, const IndexPage& page);
  // The pages from the root down to the leaf where `target` belongs.
  Result<std::vector<Step>> Descend(const IndexEntry& target) const;
  // A fresh page, added to the index's usage map.
  Result<std::uint32_t> NewPage(bool leaf);
  // Drops page `number` from the index's usage map and gives it back to the file, zeroed.
  Status Release(std::uint32_t number);
  // Writes path[level]'s page after its entries changed, splitting it when they no longer fit,
  // and brings the pages above up to date.
  Status Store(std::vector<Step>& path, std::size_t level);
  // The page above path[level] learns that page's new last entry.
  Status Relabel(std::vector<Step>& path, std::size_t level);
  Status Split(std::vector<Step>& path, std::size_t level);
  Status SplitRoot(std::vector<Step>& path);
  // Takes the emptied page path[level] out of its level and out of the page above.
  Status Unlink(std::vector<Step>& path, std::size_t level);
  // Sets the link `field` (previous or next) of page `number`.
  Status Relink(std::uint32_t number, bool previous, std::uint32_t to);

  PageStore* store_;
  const IndexFormat* format_;
  const IndexDef* index_;
  std::uint32_t owner_;
};

}  // namespace provider::jet
