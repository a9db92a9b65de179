#pragma once
// The fixed content of the help window: the topic tree and the topic texts.
#include <vector>

#include "shell/widgets/WidgetKit.h"

struct HelpNode {
  const char* Text;  // UTF-8
  int Parent;        // absolute index of the parent node, -1 for a top node
  bool HasPanel;     // false for a group: it shows its first topic
};

// The nodes in depth-first order: a node's position is its absolute index.
// The fixed tree's 24 come first; the topics added since follow them.
const std::vector<HelpNode>& HelpNodes();

struct HelpTopic {
  int Node;                        // node index = panel number
  const char* LabelName;           // "Label1"
  const char* Title;               // UTF-8
  const char* MemoName;            // "Memo1"
  // UTF-8, one line each; a line ending in a space goes on in the next one.
  std::vector<const char*> Lines;
  // The tool bar button the topic describes: its glyph stands in front of the title.
  Glyph ButtonGlyph = Glyph::None;
  const char* ImageName = nullptr;  // "Image1" when there is a glyph
  bool ScrollBar = false;
};

// Every topic panel, in panel order.
const std::vector<HelpTopic>& HelpTopics();

// The node whose topic shows when `node` is chosen: the node itself, or for a
// group the first topic within it; -1 outside the tree.
int ShownTopicNode(int node);
