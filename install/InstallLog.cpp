#include "install/InstallLog.h"
#include <cstring>
#include <vector>

void appendLogLine(const std::string& path, const std::string& text)
{
    ScopedStdioFile file(fopen(path.c_str(), "a"));
    if (!file)
        return;
    fprintf(file.Get(), "%s\n", text.c_str());
}

bool hasPrefix(const std::string& line, const char* prefix)
{
    return line.compare(0, strlen(prefix), prefix) == 0;
}

void stripLogLineEnd(std::string& line)
{
    size_t n = line.size();
    while (n > 1 && static_cast<unsigned char>(line[n - 1]) <= 32)
        n--;
    line.resize(n);
}

LogLineReader::LogLineReader(const std::string& path, size_t bufferSize)
    : m_file(fopen(path.c_str(), "r")), m_bufferSize(bufferSize)
{
}

bool LogLineReader::next(std::string& line)
{
    if (!m_file)
        return false;
    std::vector<char> buffer(m_bufferSize, '\0');
    if (!fgets(buffer.data(), static_cast<int>(m_bufferSize), m_file.Get()))
        return false;
    buffer[m_bufferSize - 1] = '\0';
    // A zero byte inside the line ends the text there, as for any C string.
    line.assign(buffer.data());
    stripLogLineEnd(line);
    return true;
}

void LogLineReader::rewind()
{
    if (m_file)
        ::rewind(m_file.Get());
}
