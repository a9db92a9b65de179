#include "mapdata/LayerTable.h"

const std::string& EmptyCell() {
  static const std::string empty;
  return empty;
}

LayerTable::LayerTable(std::string name, std::vector<std::string> columnCaptions)
    : name_(std::move(name)), columns_(std::move(columnCaptions)) {}

LayerRow& LayerTable::Add() {
  ++revision_;
  return rows_.emplace_back();
}

LayerRow& LayerTable::Add(std::string caption) {
  LayerRow& row = Add();
  row.Caption = std::move(caption);
  return row;
}

LayerRow& LayerTable::AddCells(int cells) {
  ++revision_;
  return rows_.emplace_back(LayerRow{{}, std::vector<std::string>(static_cast<size_t>(cells))});
}

void LayerTable::Clear() {
  ++revision_;
  rows_.clear();
}
