#include <gtest/gtest.h>

#include "mapdata/FieldReaders.h"
#include "citywriter/LayerWriter.h"
#include "support/TempDir.h"

namespace {

std::vector<std::string> AllFields(FieldSource& reader) {
  std::vector<std::string> fields;
  std::string_view field;
  while (reader.NextField(field) == FieldStatus::Ok) fields.emplace_back(field);
  return fields;
}

std::string Xor(std::string bytes, unsigned char mask) {
  for (char& c : bytes) c = static_cast<char>(static_cast<unsigned char>(c) ^ mask);
  return bytes;
}

std::string Int32(int32_t v) {
  std::string out;
  for (int s = 0; s < 32; s += 8) out.push_back(static_cast<char>((static_cast<uint32_t>(v) >> s) & 0xFF));
  return out;
}

}  // namespace

TEST(PlainFieldReader, ReadsCountThenFieldsUpToEachCr) {
  PlainFieldReader reader;
  reader.OpenBytes("2\r\nfirst\r\nsecond\r\n");
  int32_t count = 0;
  std::string problem;
  ASSERT_TRUE(reader.ReadCount(count, problem));
  EXPECT_EQ(count, 2);
  EXPECT_EQ(AllFields(reader), (std::vector<std::string>{"first", "second"}));
}

TEST(PlainFieldReader, SingleSpaceFieldStaysASpace) {
  PlainFieldReader reader;
  reader.OpenBytes(" \r\n x \r\n");
  EXPECT_EQ(AllFields(reader), (std::vector<std::string>{" ", " x "}));
}

TEST(PlainFieldReader, EmptyLineSwallowsTheNextLine) {
  PlainFieldReader reader;
  reader.OpenBytes("a\r\n\r\nb\r\nc\r\n");
  EXPECT_EQ(AllFields(reader), (std::vector<std::string>{"a", "\r\nb", "c"}));
}

TEST(PlainFieldReader, LfWithoutCrIsAnOrdinaryByte) {
  PlainFieldReader reader;
  reader.OpenBytes("one\ntwo\r\nthree\r\n");
  EXPECT_EQ(AllFields(reader), (std::vector<std::string>{"one\ntwo", "three"}));
}

TEST(PlainFieldReader, TheByteAfterTheCrIsSkippedUnseen) {
  PlainFieldReader reader;
  reader.OpenBytes("a\rXb\r\n");
  EXPECT_EQ(AllFields(reader), (std::vector<std::string>{"a", "b"}));
}

TEST(PlainFieldReader, FieldMustFitInTheReadBlockUnlessItIsALongPointList) {
  const std::string longest(kReadBlockBytes - 1, 'x');
  const std::string tooLong(kReadBlockBytes, 'y');
  PlainFieldReader reader;
  reader.OpenBytes(longest + "\r\n" + tooLong + "\r\n" + tooLong + "\r\nnext\r\n");
  std::string_view field;
  EXPECT_EQ(reader.NextField(field), FieldStatus::Ok);
  EXPECT_EQ(field, longest);
  EXPECT_EQ(reader.NextField(field), FieldStatus::TooLong);
  EXPECT_EQ(field, tooLong);  // handed whole, so reading can go on after it
  EXPECT_EQ(reader.NextField(field, /*mayExceedBlock=*/true), FieldStatus::Ok);
  EXPECT_EQ(field, tooLong);
  EXPECT_EQ(reader.NextField(field), FieldStatus::Ok);
  EXPECT_EQ(field, "next");
}

TEST(PlainFieldReader, LastLineWithoutCrLfIsUnterminatedAndThenNoData) {
  PlainFieldReader reader;
  reader.OpenBytes("a\r\nb");
  std::string_view field;
  EXPECT_EQ(reader.NextField(field), FieldStatus::Ok);
  EXPECT_EQ(reader.NextField(field), FieldStatus::Unterminated);
  EXPECT_EQ(field, "b");
  EXPECT_EQ(reader.NextField(field), FieldStatus::NoData);
}

TEST(PlainFieldReader, CountLineMustBeADecimalInteger) {
  for (const char* bad : {"x\r\n", " 3\r\n", "+3\r\n", "3 \r\n", "99999999999\r\n", "\r\n\r\n"}) {
    PlainFieldReader reader;
    reader.OpenBytes(bad);
    int32_t count = 0;
    std::string problem;
    EXPECT_FALSE(reader.ReadCount(count, problem)) << bad;
    EXPECT_NE(problem.find("не является целым числом"), std::string::npos) << problem;
  }
  PlainFieldReader empty;
  empty.OpenBytes("");
  int32_t count = 0;
  std::string problem;
  EXPECT_FALSE(empty.ReadCount(count, problem));
  EXPECT_EQ(problem, "файл пуст: нет строки с количеством записей");
  PlainFieldReader negative;
  negative.OpenBytes("-4\r\n");
  EXPECT_TRUE(negative.ReadCount(count, problem));
  EXPECT_EQ(count, -4);
}

TEST(PlainFieldReader, OpenFailsForAMissingFile) {
  TempDir dir;
  PlainFieldReader reader;
  EXPECT_FALSE(reader.Open(dir.Path() / "none.txt"));
}

TEST(ScrambledFieldReader, ParsesTheBodyContinuouslyAcrossRecords) {
  ScrambledFieldReader reader;
  ASSERT_EQ(reader.OpenBytes(ScrambledLayerBytes({{"a", "b"}, {"c", "d"}})), OpenResult::Opened);
  EXPECT_EQ(reader.Count(), 2);
  EXPECT_EQ(AllFields(reader), (std::vector<std::string>{"a", "b", "c", "d"}));
}

TEST(ScrambledFieldReader, FollowsThePlainFieldRuleInsideTheBody) {
  const std::string body = "a\r\n\r\nb\r\n \r\nx\ny\r\n";
  ScrambledFieldReader reader;
  ASSERT_EQ(reader.OpenBytes(Int32(3) + Int32(static_cast<int32_t>(body.size())) + Xor(body, kScrambleMask)),
            OpenResult::Opened);
  EXPECT_EQ(AllFields(reader), (std::vector<std::string>{"a", "\r\nb", " ", "x\ny"}));
}

TEST(ScrambledFieldReader, UnscramblesWithTheMaskItIsGiven) {
  const unsigned char other = static_cast<unsigned char>(kScrambleMask ^ 0x33);
  ScrambledFieldReader layer(ScrambledFieldReader::Layout::Layer, other);
  ASSERT_EQ(layer.OpenBytes(ScrambledLayerBytes({{"Ленина"}}, other)), OpenResult::Opened);
  EXPECT_EQ(AllFields(layer), (std::vector<std::string>{"Ленина"}));
  ScrambledFieldReader firm(ScrambledFieldReader::Layout::Firm, other);
  ASSERT_EQ(firm.OpenBytes(ScrambledFirmBytes({"Альфа", "x"}, other)), OpenResult::Opened);
  EXPECT_EQ(AllFields(firm), (std::vector<std::string>{"Альфа", "x"}));
}

TEST(ScrambledFieldReader, RefusesBodyLengthsOutsideTheLimits) {
  ScrambledFieldReader reader;
  EXPECT_EQ(reader.OpenBytes(std::string("\1\0\0", 3)), OpenResult::Malformed);
  EXPECT_EQ(reader.Problem(), "заголовок короче 8 байт (в файле 3 байт)");
  EXPECT_EQ(reader.OpenBytes(Int32(1) + Int32(-1)), OpenResult::Malformed);
  EXPECT_EQ(reader.Problem(), "длина данных -1 отрицательна");
  EXPECT_EQ(reader.OpenBytes(Int32(1) + Int32(kLayerBodyLimit + 1) + std::string(kLayerBodyLimit + 1, 'x')),
            OpenResult::Malformed);
  EXPECT_EQ(reader.Problem(), "длина данных 102401 больше допустимой (102400)");
  EXPECT_EQ(reader.OpenBytes(Int32(1) + Int32(100) + "abc"), OpenResult::Malformed);
  EXPECT_EQ(reader.Problem(), "длина данных 100 больше, чем осталось в файле (3 байт)");
  EXPECT_TRUE(reader.Body().empty());
  // The largest body is accepted.
  const std::string full(kLayerBodyLimit - 2, 'x');
  EXPECT_EQ(reader.OpenBytes(ScrambledLayerBytes({{full}})), OpenResult::Opened);
}

TEST(ScrambledFieldReader, BodyEndingInsideAFieldIsUnterminated) {
  const std::string body = "a\r\nbc";
  ScrambledFieldReader reader;
  ASSERT_EQ(reader.OpenBytes(Int32(2) + Int32(5) + Xor(body, kScrambleMask)), OpenResult::Opened);
  std::string_view field;
  EXPECT_EQ(reader.NextField(field), FieldStatus::Ok);
  EXPECT_EQ(reader.NextField(field), FieldStatus::Unterminated);
  EXPECT_EQ(field, "bc");
  EXPECT_EQ(reader.NextField(field), FieldStatus::NoData);
}

TEST(ScrambledFirmReader, FieldsEndAtLfAndKeepACrBeforeIt) {
  ScrambledFieldReader crlf(ScrambledFieldReader::Layout::Firm);
  ASSERT_EQ(crlf.OpenBytes(ScrambledFirmBytes({"name", "1 2"}, kScrambleMask, /*crlf=*/true)), OpenResult::Opened);
  EXPECT_EQ(AllFields(crlf), (std::vector<std::string>{"name\r", "1 2\r"}));
  ScrambledFieldReader lf(ScrambledFieldReader::Layout::Firm);
  ASSERT_EQ(lf.OpenBytes(ScrambledFirmBytes({"name", "1 2"})), OpenResult::Opened);
  EXPECT_EQ(AllFields(lf), (std::vector<std::string>{"name", "1 2"}));
}

TEST(ScrambledFirmReader, HeaderIsTheBodyLengthAloneWithItsOwnLimit) {
  ScrambledFieldReader reader(ScrambledFieldReader::Layout::Firm);
  EXPECT_EQ(reader.OpenBytes(Int32(kFirmBodyLimit + 1) + std::string(kFirmBodyLimit + 1, 'x')),
            OpenResult::Malformed);
  EXPECT_EQ(reader.Problem(), "длина данных 10241 больше допустимой (10240)");
  EXPECT_EQ(reader.OpenBytes(std::string("\1\0", 2)), OpenResult::Malformed);
  EXPECT_EQ(reader.Problem(), "заголовок короче 4 байт (в файле 2 байт)");
}

TEST(ScrambledFieldReader, OpenOfAMissingFileFails) {
  TempDir dir;
  ScrambledFieldReader reader;
  EXPECT_EQ(reader.Open(dir.Path() / "none.crpt"), OpenResult::CannotOpen);
}
