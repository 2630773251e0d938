// Synthetic topic records for benchmarks: Persian-like text of realistic lengths, the same for
// the same seed.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/jetdb/content_reader.h"

namespace jetdb {

// `count` records: titles of 20-80 characters, questions of 1-3 sentences, answers of 1-5
// paragraphs (separated by an empty line), footnotes Null in about one record of five.
std::vector<ContentRecord> SynthesizeRecords(std::size_t count, std::uint32_t seed);

}  // namespace jetdb
