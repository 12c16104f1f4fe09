// Attaches the side panel to the main window of the desktop program, and makes
// every document the program creates own its deformers. This file is part of
// the shell's object library, so both registrations below are always linked.
#include "deform/document_deformers.h"
#include "panel/side_panel.h"
#include "shell/main_frame.h"
#include "shell/quorix_app.h"

namespace brimvale {

namespace {

// Runs during static initialisation, before main constructs the document.
const bool g_bDeformersInstalled = [] {
  InstallDeformers();
  return true;
}();

const FrameExtensionRegistration g_SidePanel([](CMainFrame& frame, CQuorixDoc& doc) {
  frame.SetSidePanel(new CSidePanel(doc));
});

}  // namespace

}  // namespace brimvale
