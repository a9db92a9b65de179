#pragma once
// Writers of the data file formats, the inverse of the readers: used by the
// demo city generator, the tests and the fuzzing seeds.  Fields are
// Windows-1251 bytes; every field is written followed by CR LF.
#include <cstdint>
#include <string>
#include <vector>

#include "mapdata/ScrambleMask.h"

using LayerRecord = std::vector<std::string>;

// Count line, then every field of every record, each line ending CR LF.
std::string PlainLayerBytes(const std::vector<LayerRecord>& records);
// 4-byte record count, 4-byte body length (little-endian), body of CR LF fields
// combined with the mask.
std::string ScrambledLayerBytes(const std::vector<LayerRecord>& records, unsigned char mask = kScrambleMask);
// The pieces of both, for writing a long layer record by record: the fields
// of one record, each followed by CR LF; and the scrambled layout of a body.
void AppendRecordLines(std::string& out, const LayerRecord& fields);
std::string ScrambledLayerOfBody(int32_t count, const std::string& body, unsigned char mask = kScrambleMask);
// One firm record, fields ending CR LF, no count line.
std::string PlainFirmBytes(const LayerRecord& fields);
// 4-byte body length, body of fields ending LF (or CR LF) combined with the mask.
std::string ScrambledFirmBytes(const LayerRecord& fields, unsigned char mask = kScrambleMask, bool crlf = false);
