#pragma once
// Where each block of a PBF file ends: a 4-byte big-endian length, a
// BlobHeader of that length, a Blob of its datasize (field 3).
#include <protozero/pbf_reader.hpp>

#include <string>
#include <vector>

inline std::vector<size_t> PbfBlockEnds(const std::string& bytes) {
  std::vector<size_t> ends;
  for (size_t at = 0; at + 4 <= bytes.size();) {
    const auto byte = [&](size_t i) { return static_cast<size_t>(static_cast<unsigned char>(bytes[at + i])); };
    const size_t header = byte(0) << 24 | byte(1) << 16 | byte(2) << 8 | byte(3);
    protozero::pbf_reader message{bytes.data() + at + 4, header};
    size_t data = 0;
    while (message.next()) message.tag() == 3 ? void(data = message.get_int32()) : message.skip();
    at += 4 + header + data;
    ends.push_back(at);
  }
  return ends;
}
