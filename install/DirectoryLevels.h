// Creating directories level by level: CreateDirectoryA makes one level, so every missing
// ancestor is created first. Every result is ignored: a level that exists is no error, and one
// that cannot be made shows only as the failure of whatever goes into it.
#pragma once
#include <string>

// The directory and each of its missing ancestors.
void createDirectoryPath(const std::string& path);

// Below base: every level of the relative path except the last, parents first ("a\b\c" makes
// base\a and base\a\b).
void createIntermediateLevels(const std::string& base, const std::string& relative);
