#pragma once
// Reads a whole file for the picture classes, raising the framework's
// "Cannot open file" error with the system's reason when it cannot.

#include <cstdint>
#include <string>
#include <vector>

std::vector<uint8_t> ReadFileBytes(const std::string& fileName);

// The system's text for an error code, without the trailing line break.
std::string SystemErrorText(unsigned long errorCode);
