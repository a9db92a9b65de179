#pragma once
// The city's picture for the city-selection window: the written city loaded
// as the viewer loads it and drawn by the viewer's own renderer, the whole
// city in the picture.  At that scale the renderer draws regions and streets
// only (buildings from scale 2, labels from 0.5; object icons would hide the
// city), so only those two layers are loaded: a big city's buildings would
// take most of the import's time to load for nothing.  Needs a
// QGuiApplication.
#include <QImage>

#include <filesystem>
#include <string>

#include "importer/CityAssembly.h"

constexpr int kPreviewWidth = 480;
constexpr int kPreviewHeight = 360;

// The picture of the city written in cityDir.  False with the reason when its
// layers do not load without a message or cannot be drawn.
bool RenderCityPreview(const std::filesystem::path& cityDir, const AssembledCity& city, QImage& picture,
                       std::string& error);
