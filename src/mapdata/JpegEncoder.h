#pragma once
// The JPEG encoder: the viewer's saved pictures and the pictures the tools
// write (demo cities, artwork, tests).
#include <QImage>

#include <string>

// How the JPEG's data is laid out: one baseline scan with the standard tables,
// or progressive scans with tables fitted to the picture (the smallest files).
enum class JpegLayout { Baseline, ProgressiveOptimized };

// JPEG through libjpeg at the given quality (1..100); false with the reason on
// failure (a null image, a libjpeg error).
bool EncodeJpeg(const QImage& image, int quality, std::string& out, std::string& error,
                JpegLayout layout = JpegLayout::Baseline);
