#include "image/codec_bridge.h"

#include <dlfcn.h>

#include <cstring>

#include "foundation/program_folders.h"
#include "image/codec_abi.h"

namespace brimvale {
namespace {

std::string& CodecFolderOverride() {
  static std::string folder;
  return folder;
}

// One library loaded for the length of one call.
class CCodecLibrary {
 public:
  explicit CCodecLibrary(const char* fileName)
      : m_pHandle(dlopen((CodecFolder() + fileName).c_str(), RTLD_NOW | RTLD_LOCAL)) {}
  ~CCodecLibrary() {
    if (m_pHandle != nullptr) dlclose(m_pHandle);
  }
  CCodecLibrary(const CCodecLibrary&) = delete;
  CCodecLibrary& operator=(const CCodecLibrary&) = delete;

  template <typename Function>
  Function Find(const char* name) const {
    if (m_pHandle == nullptr) return nullptr;
    void* symbol = dlsym(m_pHandle, name);
    Function function = nullptr;
    static_assert(sizeof function == sizeof symbol);
    std::memcpy(&function, &symbol, sizeof function);
    return function;
  }

 private:
  void* m_pHandle;
};

struct JpegLoadContext {
  CPixelImage* image;
  int height;
  ProgressCallback progress;
  uint32_t userValue;
};

struct PngProgressContext {
  ProgressCallback progress;
  uint32_t userValue;
};

int32_t JpegHeader(const JpegImageInfo* info, void* context) {
  auto* load = static_cast<JpegLoadContext*>(context);
  if (!load->image->Create(info->width, info->height, info->bitsPerPixel)) return 0;
  load->height = info->height;
  if (info->bitsPerPixel == 8 && info->colourCount > 0 && info->colourTable != nullptr) {
    const int entries = info->colourCount < load->image->ColourCount() ? info->colourCount
                                                                       : load->image->ColourCount();
    std::memcpy(load->image->ColourTable(), info->colourTable, 4 * static_cast<size_t>(entries));
  }
  return 1;
}

uint8_t* JpegRow(int32_t row, void* context) {
  auto* load = static_cast<JpegLoadContext*>(context);
  if (row < 0 || row >= load->image->Height()) return nullptr;
  if (load->progress != nullptr &&
      !load->progress(static_cast<float>(row) / static_cast<float>(load->height), load->userValue)) {
    return nullptr;
  }
  return load->image->Row(row);
}

int32_t ProgressAdapter(float fraction, void* context) {
  const auto* adapter = static_cast<const PngProgressContext*>(context);
  if (adapter->progress == nullptr) return 1;
  return adapter->progress(fraction, adapter->userValue) ? 1 : 0;
}

}  // namespace

void SetCodecFolder(const std::string& folder) { CodecFolderOverride() = folder; }

std::string CodecFolder() {
  return CodecFolderOverride().empty() ? ProgramLibraryFolder() : CodecFolderOverride();
}

bool LoadJpeg(const std::string& path, CPixelImage& image, ProgressCallback progress, uint32_t userValue) {
  CCodecLibrary library("libtessjpg.so");
  const auto load = library.Find<LoadJPGFunction>("LoadJPG");
  if (load == nullptr) return false;
  JpegLoadContext context{&image, 0, progress, userValue};
  return load(path.c_str(), &JpegHeader, &JpegRow, &context) != 0;
}

bool LoadPng(const std::string& path, CPixelImage& image, ProgressCallback progress, uint32_t userValue) {
  CCodecLibrary library("libtesspng.so");
  const auto load = library.Find<LoadPNGFunction>("LoadPNG");
  if (load == nullptr) return false;
  PngProgressContext context{progress, userValue};
  void* header = nullptr;
  void* bits = nullptr;
  if (load(path.c_str(), &header, &bits, &ProgressAdapter, &context) == 0) return false;
  if (!image.Attach(header, MemoryKind::GlobalFixed, bits, MemoryKind::GlobalFixed)) {
    ReleaseBlock(header, MemoryKind::GlobalFixed);
    ReleaseBlock(bits, MemoryKind::GlobalFixed);
    return false;
  }
  return true;
}

bool SavePng(const std::string& path, const CPixelImage& image, ProgressCallback progress, uint32_t userValue) {
  if (image.IsEmpty() || image.Header() == nullptr) return false;
  CCodecLibrary library("libtesspng.so");
  const auto save = library.Find<SavePNGFunction>("SavePNG");
  if (save == nullptr) return false;
  PngProgressContext context{progress, userValue};
  return save(path.c_str(), image.Header(), image.Bits(), &ProgressAdapter, &context) != 0;
}

}  // namespace brimvale
