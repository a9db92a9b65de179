#include "citywriter/LayerWriter.h"

namespace {

void AppendInt32(std::string& out, int32_t value) {
  const auto u = static_cast<uint32_t>(value);
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<char>((u >> shift) & 0xFF));
}

std::string Scramble(std::string body, unsigned char mask) {
  for (char& c : body) c = static_cast<char>(static_cast<unsigned char>(c) ^ mask);
  return body;
}

std::string FieldsCrLf(const std::vector<LayerRecord>& records) {
  std::string body;
  for (const LayerRecord& record : records) AppendRecordLines(body, record);
  return body;
}

}  // namespace

void AppendRecordLines(std::string& out, const LayerRecord& fields) {
  for (const std::string& field : fields) {
    out += field;
    out += "\r\n";
  }
}

std::string ScrambledLayerOfBody(int32_t count, const std::string& body, unsigned char mask) {
  std::string out;
  AppendInt32(out, count);
  AppendInt32(out, static_cast<int32_t>(body.size()));
  return out + Scramble(body, mask);
}

std::string PlainLayerBytes(const std::vector<LayerRecord>& records) {
  return std::to_string(records.size()) + "\r\n" + FieldsCrLf(records);
}

std::string ScrambledLayerBytes(const std::vector<LayerRecord>& records, unsigned char mask) {
  return ScrambledLayerOfBody(static_cast<int32_t>(records.size()), FieldsCrLf(records), mask);
}

std::string PlainFirmBytes(const LayerRecord& fields) { return FieldsCrLf({fields}); }

std::string ScrambledFirmBytes(const LayerRecord& fields, unsigned char mask, bool crlf) {
  std::string body;
  for (const std::string& field : fields) body += field + (crlf ? "\r\n" : "\n");
  std::string out;
  AppendInt32(out, static_cast<int32_t>(body.size()));
  return out + Scramble(body, mask);
}
