#pragma once
// The city's picture for the city-selection window: the written city loaded
// as the viewer loads it and drawn by the viewer's own renderer, the whole
// city in the picture.  Needs a QGuiApplication.
#include <QImage>

#include <filesystem>
#include <string>

#include "CityAssembly.h"

constexpr int kPreviewWidth = 480;
constexpr int kPreviewHeight = 360;

// False with the reason when the city does not load without a message or
// cannot be drawn.
bool RenderCityPreview(const std::filesystem::path& dataRoot, const std::string& cityDirName,
                       const AssembledCity& city, QImage& picture, std::string& error);
