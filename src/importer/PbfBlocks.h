#pragma once
// libosmium's PBF parser, replaced by one that knows a file it has read.  A
// city out of a region reads the region several times, each pass wanting a
// few kinds of object (the boundaries' relations, then their ways, then the
// nodes; the area's objects; the main pass), and libosmium inflates every
// block of the file on every pass.  This parser remembers, per file, which
// kinds each block holds once it has read the whole file, and on later passes
// over the same unchanged file skips the blocks holding none of the kinds
// wanted without inflating them.  It inflates with libdeflate where the build
// has it (about twice zlib's speed), leaving every other case and every error
// to libosmium's own decoding, so a damaged file fails as it did.
//
// A file is known by its identity (device and inode, or the volume and file
// index on Windows), size and modification time, so a file changed between
// passes is read whole again.

// Makes libosmium use this parser for every PBF file read from now on.
void UseRememberingPbfParser();
