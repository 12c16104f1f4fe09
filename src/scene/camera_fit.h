// Framing a model: the fit that brings the whole visible model into the 4:3
// frame the view marks, and the choice made when a file is opened between the
// file's own camera and a fitted one.
#pragma once

namespace brimvale {

class CQuorixDoc;

// Moves the look-at to the centre of the box of what the view draws and sets
// the distance so that all of it fits the 4:3 frame with a small margin. The
// direction of view, bank, angle and projection stay. Returns false, the camera
// unchanged, when nothing is drawn.
bool FitCameraToDocument(CQuorixDoc& doc);

// Whether the camera shows every drawn point inside the 4:3 frame (in front of
// the eye, nearer the eye than the depth range allows at most), spanning at
// least a third of the frame's width or height. True when nothing is drawn.
bool CameraShowsModelWell(CQuorixDoc& doc);

enum class FramingMode {
  Auto,        // keep the file's camera when it shows the model well, else fit
  Fit,         // always fit
  FileCamera,  // always keep the file's camera
};

// Run once a file has been read and its orientation applied.
void ApplyOpeningFraming(CQuorixDoc& doc, FramingMode mode);

}  // namespace brimvale
