// Paths beside the plug-in's module file, and taking paths apart.
// A separator is a backslash or a slash.
#pragma once

#include <string>
#include <string_view>
#include <vector>

bool IsSeparator(char c);

// A text shorter than the suffix or prefix does not end or start with it.
bool EndsWith(std::string_view text, std::string_view suffix);
bool StartsWith(std::string_view text, std::string_view prefix);
bool EndsWithSeparator(std::string_view text);
bool StartsWithSeparator(std::string_view text);

std::string WithTrailingSeparator(std::string_view text);
std::string WithLeadingSeparator(std::string_view text);
std::string WithoutLeadingSeparator(std::string_view text);

// Position of the last separator, or -1.
int LastSeparator(std::string_view text);
std::string DirectoryPart(std::string_view text);
std::string FilePart(std::string_view text);
std::string Extension(std::string_view text);

// The plug-in module's directory, ending in a separator; empty when unknown.
std::string ModuleDirectory();
// Module directory + name without one leading separator.
std::string FullPath(std::string_view name);

// Plain files of a directory (given with its trailing separator), hidden ones left out.
std::vector<std::string> ListFiles(std::string_view directory);
