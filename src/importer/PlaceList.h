#pragma once
// The settlements of an extract, for choosing the one to import out of a
// region: one pass over the nodes that keeps nothing but the settlements, so
// a region of any size is listed in little memory.
#include <osmium/memory/buffer.hpp>

#include <filesystem>
#include <string>
#include <vector>

#include "importer/Features.h"
#include "importer/ImportControl.h"

// Every settlement node of `input`, most important first (CityCentre.h's
// order; ties by name).  False with the reason, naming the file, when it
// cannot be read; ImportStopped when the control asks to stop.
bool ListSettlements(const std::filesystem::path& input, std::vector<SettlementFeature>& settlements,
                     std::string& error, const ImportControl& control = UnwatchedImport());

// The settlement nodes of a buffer of the file, added to `settlements`.
void CollectSettlements(const osmium::memory::Buffer& buffer, std::vector<SettlementFeature>& settlements);

// Most important first (CityCentre.h's order), ties by name.
void SortSettlements(std::vector<SettlementFeature>& settlements);
