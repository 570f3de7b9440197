#pragma once
// Writing a list file (".lst"): the number of entries in decimal, then each
// entry, every line ended by CR LF; a list that follows folders has them
// after the entries (see FollowedFolders.h), a plain one nothing else. An
// empty list is the three bytes "0" CR LF.
//
// Entries are text (UTF-8). Every program that reads lists expects them in
// the system's code page, so a list is written in it whenever every entry
// can be: byte for byte what was always written. Only a list with a name
// the code page cannot hold is written as UTF-8, marked by the byte-order
// mark at its start (which older readers skip as well).
//
// Portable: no Windows header.

#include "core/ByteStreams.h"
#include "core/CodePage.h"

#include <string>
#include <vector>

// Writes the entries as they stand, as bytes, then `trailingLines`, which
// the count does not cover (readers of lists stop before them).
void WriteListFile(IByteSink& sink, const std::vector<std::string>& entries,
                   const std::vector<std::string>& trailingLines = {});

// Writes the text entries and trailing lines in `codePage`, or all as marked
// UTF-8 when one of them cannot be written in it.
void WriteListFile(IByteSink& sink, const std::vector<std::string>& entries, const ICodePage& codePage,
                   const std::vector<std::string>& trailingLines = {});
