// Substring replacement; positions count from 1, exact and case-sensitive.
#pragma once

#include <string>

std::string ReplaceAt(const std::string& insertion, const std::string& text, std::size_t position,
                      std::size_t length);
std::string ReplaceFirst(const std::string& pattern, const std::string& text,
                         const std::string& replacement);
// Replaces until the pattern no longer occurs, so an occurrence formed across the edge of a
// replacement is replaced too. The replacement must not contain the pattern.
std::string ReplaceAll(const std::string& pattern, const std::string& text,
                       const std::string& replacement);
