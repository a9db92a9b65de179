#pragma once
// Checks of an extract's bytes before libosmium reads it, for what libosmium
// lets through or takes too long over.  Each reads the file once, in time
// linear in its length, and stops at the first fault.
#include <cstddef>
#include <filesystem>
#include <string>

// The longest single tag of the XML (with its attributes), comment or run of
// text accepted, in bytes after decompression.  The data's own limits (255
// characters for a tag's value) stay far below; above it, the XML parser's
// time grows with the square of the length.
constexpr size_t kMaxXmlTokenBytes = 65536;

// False, with the reason naming the file, unless `input` is a regular file
// (or a link to one) that opens.  Its kind is looked at before anything opens
// it: opening a FIFO to read waits for a writer for ever.
bool CheckRegularFile(const std::filesystem::path& input, std::string& error);

// False, with the reason naming the file and the place, when the file is not
// a regular file (CheckRegularFile), is a PBF cut short (libosmium takes a
// short block length at the end for the end of the file) or XML (plain or
// compressed) with a tag, comment or text longer than kMaxXmlTokenBytes, a
// coordinate it cannot read or hidden from this check, another encoding than
// UTF-8 or an object beyond the tag limits of ObjectLimits.h.  Throws
// std::exception when the file cannot be decompressed.
bool CheckInput(const std::filesystem::path& input, std::string& error);

bool CheckPbfFraming(const std::filesystem::path& input, std::string& error);
bool CheckXmlTokens(const std::filesystem::path& input, size_t maxTokenBytes, std::string& error);
