// Uploading a material's texture buffer into the bound texture object.
#pragma once

namespace brimvale {

class CTextureBuffer;

// Uploads the texels at their full size with mipmaps, sampled linearly and
// repeated. A buffer with a side beyond the driver's largest texture is
// scaled down to fit first.
void UploadTexture(const CTextureBuffer& buffer);

}  // namespace brimvale
