#pragma once
// The companion settings file (".par") of a document: the per-screen display settings
// followed by the clock position, read into and written from the application state.
//
// Layout, little-endian, no header: S records of 16 bytes, then clock X, clock Y and the
// display-seconds flag as 32-bit integers. A reader finds S as (length - 12) / 16; bytes
// after the clock values are not interpreted.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class CVemtApp;

enum class ParResult {
    Ok,
    NoPath,       // the document has no path: nothing read or written
    OpenFailed,   // the file could not be opened or created, or is not a regular file
    WriteFailed,  // writing or committing failed; a previous file is left as it was
    ReadFailed,   // reading stopped with an error
    TooShort,     // fewer than 12 bytes: no records, clock values not read
    TooLarge,     // more records than any sign could hold: treated as damaged
};

class CParFile {
public:
    static constexpr std::size_t kClockBytes = 12;
    // Far more screens than a sign can store (at most 150); a longer file is not a
    // companion file and is never loaded into memory.
    static constexpr std::size_t kMaxRecords = 65535;

    // drive + directory + base name + ".par": the extension of the document's file name
    // (from its last dot) is replaced; a name without a dot gets ".par" appended.
    static std::string GetParPath(const std::string& docPath);

    // The file's bytes for the table and clock values the application holds now.
    static std::vector<std::uint8_t> BuildBytes(const CVemtApp& app);

    // Replaces the application's table and clock values from a file's bytes. TooShort
    // and TooLarge leave no table and the clock values untouched.
    static ParResult ParseBytes(const std::uint8_t* data, std::size_t size, CVemtApp& app);

    // Brings the table to screenCount records and saves it next to docPath. The file is
    // replaced in one step (temporary file in the same directory, flushed to disk, then
    // renamed), so a failure at any point leaves the previous companion intact. Nothing
    // is resized when the file cannot even be created.
    static ParResult WriteParFile(const std::string& docPath, int screenCount, CVemtApp& app);

    // Loads the companion of docPath. Whenever it cannot be read, the table is discarded
    // and the clock values stay as they were.
    static ParResult ReadParFile(const std::string& docPath, CVemtApp& app);
};
