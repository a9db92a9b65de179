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
  LayerRow& row = Add();
  row.SubItems.resize(static_cast<size_t>(cells));
  return row;
}

void LayerTable::Clear() {
  ++revision_;
  rows_.clear();
}
