#pragma once
// The byte that scrambled data files are combined with by exclusive-or.  The
// default comes from the build (TELLURIN_SCRAMBLE_MASK); the readers detect
// another mask from the end of a body.
constexpr unsigned char kScrambleMask = static_cast<unsigned char>(TELLURIN_SCRAMBLE_MASK);
