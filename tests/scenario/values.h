// Conversions of scenario words into values: numbers, local times, hex
// bytes, registry paths and registry data.
#pragma once

#include <string>

#include "scenario.h"

namespace scenario {

// Decimal, or hex with 0x. Fails on anything else or beyond max.
bool ParseNumber(const std::string& word, unsigned long long max, unsigned long long* out);

// "YYYY-MM-DD HH:MM:SS" (or a T between date and time), checked for range.
bool ParseLocalTime(const std::string& word, LocalTime* out);

// Pairs of hex digits; blanks between pairs are allowed.
bool ParseHex(const std::string& word, std::string* out);

// "HKLM\..." or "HKCU\..." (or the long root names). The path keeps no
// leading or trailing backslash.
bool ParseKeyPath(const std::string& word, RegRoot* root, std::string* path);

// A registry type word (sz, expand_sz, dword, binary) and its data word into
// the bytes the registry holds.
bool ParseRegData(const std::string& type_word, const std::string& data_word, RegType* type,
                  std::string* bytes, std::string* error);

}  // namespace scenario
