// Reads the measured ABI tables (tab-separated) that the layer is checked
// against.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace ferrulith::test::abi
{

using Row = std::vector<std::string>;

// Rows of a table in FERRULITH_ABI_DIR, comment lines dropped; fails the
// calling test when the file cannot be read.
std::vector<Row> readTable(const std::string& fileName);

// "name value name value ..." (values decimal, hexadecimal or quoted text).
std::map<std::string, std::string> readPairs(const std::string& text);

std::vector<std::string> splitWords(const std::string& text, const char* separators);
int64_t parseNumber(const std::string& text);

} // namespace ferrulith::test::abi
