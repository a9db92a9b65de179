#pragma once
// Every picture of the program is loaded by file name through this loader, which
// picks the decoder registered for the file's extension ("jpg", "ico").
#include <QImage>

#include <filesystem>
#include <functional>
#include <string>

// Decodes the bytes of a whole file; on failure returns false and says why.
using PictureDecoder = std::function<bool(const std::string& bytes, QImage& out, std::string& error)>;

// Registers (or replaces) the decoder for an extension, compared case-insensitively.
void RegisterPictureDecoder(const std::string& extension, const std::string& description, PictureDecoder decoder);
// Registers the program's own decoders: JPEG for "jpg", Windows icons for "ico".
void RegisterStandardPictureDecoders();

// Loads a picture; false with a message for the user (Russian, naming the
// file: "Файл PATH: WHAT.") when the file is missing or cannot be read, no
// decoder is registered for its extension, or the bytes cannot be decoded.
bool LoadPicture(const std::filesystem::path& file, QImage& out, std::string* error = nullptr);
// Decodes bytes already in memory (a picture stored with a window) with the
// decoder registered for `extension`.
bool DecodePicture(const std::string& extension, const std::string& bytes, QImage& out, std::string* error = nullptr);
