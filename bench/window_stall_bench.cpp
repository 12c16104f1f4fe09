// How long the window stops answering while it opens a large model: the real
// window opens FILE as the open command does, and a 10 ms heartbeat timer on
// the window's thread records the largest gap between its ticks, from the
// open until the model's faces are drawn. Prints that stall, the total time
// and the frames drawn. Run it on a display (bench/run_window_bench.sh starts
// Xvfb); built against an older tree it measures that one the same way.
//   window_stall_bench FILE
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>

#include "shell/main_frame.h"
#include "shell/quorix_app.h"
#include "shell/quorix_view.h"
#if __has_include("shell/face_uploads.h")
#include "shell/face_uploads.h"
#define BRIMVALE_HAS_FACE_UPLOADS 1
#endif

int main(int argc, char** argv) {
  using namespace brimvale;
  CQuorixApp app(argc, argv);
  if (argc != 2) {
    std::fputs("usage: window_stall_bench FILE\n", stderr);
    return 64;
  }
  const QString file = QString::fromLocal8Bit(argv[1]);
  QTemporaryDir settings;
  if (!app.InitInstance(QDir(settings.path()).filePath(QStringLiteral("brimvale.ini")).toStdString(), "")) return 3;
  CMainFrame* frame = app.MainFrame();
  CQuorixView* view = frame->View();

  QElapsedTimer clock, sinceTick;
  qint64 longest = 0;
  bool opened = false;
  int framesBefore = 0;  // done once more frames than this have been drawn
  QTimer heartbeat;
  heartbeat.setInterval(10);
  QObject::connect(&heartbeat, &QTimer::timeout, [&] {
    const qint64 gap = sinceTick.restart();
    // Each stall past half a second, with when it ended, to see what held the window.
    if (gap > 500)
      std::fprintf(stderr, "  stall %.3f s ending at %.3f s\n", static_cast<double>(gap) / 1000.0,
                   static_cast<double>(clock.elapsed()) / 1000.0);
    longest = std::max(longest, gap);
    if (!opened || view->FramesDrawn() <= framesBefore) return;
    const qint64 total = clock.elapsed();
    // What one frame of the model costs by itself, for comparison: no window
    // can answer faster than it draws.
    QElapsedTimer frameClock;
    frameClock.start();
    view->RedrawNow();
    std::printf("longest stall %.3f s, total %.3f s (one frame alone: %.3f s)\n",
                static_cast<double>(longest) / 1000.0, static_cast<double>(total) / 1000.0,
                static_cast<double>(frameClock.elapsed()) / 1000.0);
    QCoreApplication::exit(0);
  });
#ifdef BRIMVALE_HAS_FACE_UPLOADS
  // The faces are drawn by the first frame after the last upload.
  QObject::connect(&frame->FaceUploads(), &CFaceUploads::facesComplete, [&] {
    std::fprintf(stderr, "  faces uploaded at %.3f s\n", static_cast<double>(clock.elapsed()) / 1000.0);
    if (!frame->FaceUploads().Busy()) framesBefore = view->FramesDrawn();
  });
#endif
  QTimer::singleShot(500, [&] {  // once the window is up and idle
    clock.start();
    sinceTick.start();
    heartbeat.start();
    if (!frame->OpenMqoPath(file)) QCoreApplication::exit(1);
    const qint64 gap = sinceTick.restart();
    std::fprintf(stderr, "  the open returned at %.3f s (stall %.3f s)\n", static_cast<double>(clock.elapsed()) / 1000.0,
                 static_cast<double>(gap) / 1000.0);
    longest = std::max(longest, gap);
    // Without face uploads (or with nothing left to upload) the open drew the faces itself.
    framesBefore = view->FramesDrawn() - 1;
#ifdef BRIMVALE_HAS_FACE_UPLOADS
    if (frame->FaceUploads().Busy()) framesBefore = 1 << 30;
#endif
    opened = true;
  });
  const int status = QCoreApplication::exec();
  app.ExitInstance();
  return status;
}
