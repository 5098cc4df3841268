// Feeds arbitrary bytes to the companion settings file reader. What it reads must write
// back to the bytes it was read from (bytes after the clock values are not part of it).

#include "app/CVemtApp.h"
#include "document/CParFile.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CVemtApp app;
    const ParResult result = CParFile::ParseBytes(data, size, app);
    if (result != ParResult::Ok) {
        if (app.ScreenInfoCount() != 0) std::abort();
        return 0;
    }
    const std::vector<std::uint8_t> saved = CParFile::BuildBytes(app);
    if (saved.size() > size || std::memcmp(saved.data(), data, saved.size()) != 0) std::abort();
    if ((size - saved.size()) >= 16) std::abort();  // every whole record was taken
    return 0;
}
