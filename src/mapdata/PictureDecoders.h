#pragma once
// The program's own picture decoders, registered with the picture loader by
// RegisterStandardPictureDecoders().  Both take the bytes of a whole file and
// never read outside them; on failure they return false and say why, in
// Russian, for the messages the user reads.
#include <QImage>

#include <string>

// JPEG through libjpeg: baseline and progressive, grey, RGB and CMYK.  A
// truncated or corrupted file and a picture declared larger than
// kMaxJpegSide a side or kMaxJpegPixels in all are refused.
constexpr int kMaxJpegSide = 16384;
constexpr long long kMaxJpegPixels = 64LL * 1024 * 1024;
bool DecodeJpeg(const std::string& bytes, QImage& out, std::string& error);

// Windows icon (.ico): picks the image closest to 20 x 20 (on a tie the larger
// one, then the deeper one); BMP payloads of 1, 4, 8, 16, 24 and 32 bits per
// pixel with their AND mask, and PNG payloads.  The result is ARGB32.
bool DecodeIco(const std::string& bytes, QImage& out, std::string& error);
