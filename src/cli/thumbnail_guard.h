// The limits the thumbnailer works under. File managers run it on every model
// they list, downloaded ones included, so it treats its input as hostile.
#pragma once

#include <string>

namespace brimvale {
class CQuorixDoc;
}

namespace brimvale::cli {

// CPU seconds and address space the thumbnailer allows itself.
inline constexpr int kThumbnailCpuSeconds = 8;
inline constexpr unsigned long long kThumbnailAddressSpace = 1ull << 30;
// Above this many faces after lathe, mirror and subdivision, the model is drawn
// in simple display (its own faces only) instead of deriving them all.
inline constexpr double kThumbnailDerivedFaceLimit = 400000.0;

// Lowers (never raises) the CPU time and address space limits of this process.
// Past the CPU time, SIGXCPU removes the file named by WatchPartialFile and
// ends the process with status 3. The address space limit is left alone under
// AddressSanitizer, which reserves far more than it uses.
void LimitThumbnailResources();

// The file removed when the CPU time runs out (empty: none). The text is
// copied so that the signal handler needs no allocation.
void WatchPartialFile(const std::string& path);

// The number of faces the view would derive for the document's visible
// objects, estimated from their settings without deriving anything.
double EstimatedDerivedFaces(const CQuorixDoc& doc);

}  // namespace brimvale::cli
