// The document's camera as a glTF camera node: placed and turned as the view
// places it (look-at point, bank), with the view's vertical angle and clipping
// distances, all in the file's coordinates times the export's scale.
#pragma once

#include "export/gltf_document.h"

namespace brimvale {

class CScene;

// Adds the camera and its node; returns the node index.
int AddGltfCamera(CGltfDocument& document, const CScene& scene, float scale);

// The rotation (x, y, z, w) that turns a glTF camera, which looks down -Z with
// +Y up, to look along forward with up as its upward direction. Both are in
// file coordinates and need not be unit length.
void GltfCameraRotation(const double forward[3], const double up[3], double quaternion[4]);

}  // namespace brimvale
