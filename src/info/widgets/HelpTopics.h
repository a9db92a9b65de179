#pragma once
// The fixed content of the help window: the topic tree and the topic texts.
#include <vector>

struct HelpNode {
  const char* Text;  // UTF-8
  int Parent;        // absolute index of the parent node, -1 for a top node
  bool HasPanel;     // group nodes show nothing
};

// The 24 nodes in depth-first order: a node's position is its absolute index.
const std::vector<HelpNode>& HelpNodes();

// Which toolbar button a topic describes (its picture in front of the title).
enum class HelpGlyph { None, Text, Objects, ListSearch, FirmSearch };

struct HelpTopic {
  int Node;                        // node index = panel number
  const char* LabelName;           // "Label1"
  const char* Title;               // UTF-8
  const char* MemoName;            // "Memo1"
  std::vector<const char*> Lines;  // UTF-8, one line each
  HelpGlyph Glyph = HelpGlyph::None;
  const char* ImageName = nullptr;  // "Image1" when there is a glyph
  bool ScrollBar = false;
};

// Every topic panel but the empty Pan0, in panel order.
const std::vector<HelpTopic>& HelpTopics();
