#pragma once
// Whole-file reads and writes for the program's own files. Writes replace the file in one
// step (a temporary file in the same directory, flushed to disk, then renamed over the
// old one), so a failure or a kill at any moment leaves the previous file as it was.
// Reads take at most a given number of bytes and only from a regular file.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

class CFileBytes {
public:
    // True when the file now holds exactly `bytes`. On failure `error` says what went
    // wrong (the system's reason), the old file is untouched and no temporary file stays.
    static bool WriteAtomically(const std::string& path, std::span<const std::uint8_t> bytes,
                                std::string& error);

    // The folder a path names a file in ("." for a bare name).
    static std::string DirectoryOf(const std::string& path);

    enum class ReadResult { Ok, OpenFailed, NotRegular, ReadFailed, TooLarge };
    // Reads the whole file into `bytes`; a file longer than maxBytes is refused before
    // more than maxBytes + 1 bytes are held. FIFOs and devices are never read.
    static ReadResult Read(const std::string& path, std::size_t maxBytes,
                           std::vector<std::uint8_t>& bytes, std::string& error);
};
