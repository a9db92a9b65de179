#pragma once
// The byte that scrambled data files are combined with by exclusive-or.  The
// configured one comes from the build (TELLURIN_SCRAMBLE_MASK); a city whose
// files agree on another is read with that one (CityMask.h).
constexpr unsigned char kScrambleMask = static_cast<unsigned char>(TELLURIN_SCRAMBLE_MASK);
