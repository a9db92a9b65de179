#pragma once
// A PBF block's tags as libosmium would decode them, reckoned before it does.
// A block is at most 32 MB inflated, but each tag is two indices into the
// block's string table, and the decoder copies the strings for every one: a
// block of small indices to long strings decodes to gigabytes.  Walking the
// indices costs a pass over the block and no memory.
#include <protozero/data_view.hpp>

#include <cstddef>
#include <string>

// Text of keys, values and roles one block may decode to at most; real
// blocks decode to a few megabytes.
constexpr size_t kMaxBlockTagText = 64 << 20;

// Why the inflated PrimitiveBlock `block` is beyond the limits (an object of
// more than kMaxObjectTags tags, named; more than kMaxBlockTagText of text),
// "" when it is not or cannot be read (the decoder then says what is wrong).
std::string PbfBlockTagFault(protozero::data_view block);
