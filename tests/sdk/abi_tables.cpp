#include "abi_tables.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace ferrulith::test::abi
{

std::vector<std::string> splitWords(const std::string& text, const char* separators)
{
    std::vector<std::string> words;
    size_t start = 0;
    while (start <= text.size())
    {
        const size_t end = text.find_first_of(separators, start);
        const std::string word = text.substr(start, end == std::string::npos ? end : end - start);
        if (!word.empty())
            words.push_back(word);
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return words;
}

std::vector<Row> readTable(const std::string& fileName)
{
    const std::string path = std::string(FERRULITH_ABI_DIR) + "/" + fileName;
    std::ifstream file(path);
    EXPECT_TRUE(file.good()) << "cannot read " << path;
    std::vector<Row> rows;
    std::string line;
    while (std::getline(file, line))
    {
        if (line.empty() || line[0] == '#')
            continue;
        Row row;
        std::stringstream fields(line);
        std::string field;
        while (std::getline(fields, field, '\t'))
            row.push_back(field);
        rows.push_back(row);
    }
    return rows;
}

std::map<std::string, std::string> readPairs(const std::string& text)
{
    std::map<std::string, std::string> pairs;
    size_t pos = 0;
    auto skipSpace = [&]
    {
        while (pos < text.size() && text[pos] == ' ')
            ++pos;
    };
    auto nextToken = [&]
    {
        skipSpace();
        std::string token;
        if (pos < text.size() && text[pos] == '"')
        {
            const size_t close = text.find('"', pos + 1);
            token = text.substr(pos + 1, close - pos - 1);
            pos = close + 1;
        }
        else
        {
            const size_t end = text.find(' ', pos);
            token = text.substr(pos, end == std::string::npos ? end : end - pos);
            pos = end == std::string::npos ? text.size() : end;
        }
        return token;
    };
    while (skipSpace(), pos < text.size())
    {
        const std::string name = nextToken();
        pairs[name] = nextToken();
    }
    return pairs;
}

int64_t parseNumber(const std::string& text)
{
    return std::strtoll(text.c_str(), nullptr, 0);
}

} // namespace ferrulith::test::abi
