#include "engine/shell/record_scramble.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>

namespace {

using Record = std::array<uint8_t, bv::kScrambledRecordSize>;

Record Counting() {
  Record record{};
  for (size_t i = 0; i < record.size(); ++i) record[i] = static_cast<uint8_t>(i * 7 + 3);
  return record;
}

TEST(RecordScramble, TwiceGivesTheRecordBack) {
  const Record plain = Counting();
  Record scrambled{};
  Record back{};
  ScrambleRecord(plain.data(), scrambled.data());
  ScrambleRecord(scrambled.data(), back.data());
  EXPECT_EQ(back, plain);
  EXPECT_NE(scrambled, plain);
}

TEST(RecordScramble, AFourByteKeyRepeatsOverTheWholeRecord) {
  const Record zeros{};
  Record key{};
  ScrambleRecord(zeros.data(), key.data());
  for (size_t i = 0; i < 4; ++i) EXPECT_NE(key[i], 0) << "key byte " << i;
  for (size_t i = 4; i < key.size(); ++i) ASSERT_EQ(key[i], key[i % 4]) << "byte " << i;
}

TEST(RecordScramble, WorksInPlace) {
  Record record = Counting();
  ScrambleRecord(record.data(), record.data());
  ScrambleRecord(record.data(), record.data());
  EXPECT_EQ(record, Counting());
}

}  // namespace
