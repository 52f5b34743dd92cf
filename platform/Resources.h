#pragma once
// The data linked into the executable (the asset pack, bitmaps, icon), found by
// resource number. On Linux the build embeds them with a generated assembler
// file; on Windows they come from the .rc file under the same numbers.
#include <cstddef>
#include <cstdint>

// Called by the pack loader and the picture windows: points *data at the
// resource's bytes (which live as long as the process) and returns true, or
// returns false and leaves the outputs untouched when the number is unknown.
bool SysFindResource(int id, const uint8_t** data, size_t* size);
