#pragma once
// Writing a list file (".lst"): the number of entries in decimal, then each
// entry exactly as stored, every line ended by CR LF, and nothing else. An
// empty list is the three bytes "0" CR LF.
//
// Portable: no Windows header.

#include "core/ByteStreams.h"

#include <string>
#include <vector>

void WriteListFile(IByteSink& sink, const std::vector<std::string>& entries);
