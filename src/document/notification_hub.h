// Document notifications: registered listeners receive a code and a word
// parameter. NotifyAll delivers at once; PostNotifyAll queues through a
// delivery hook that the GUI connects to its event loop (without one, posted
// notifications wait until DeliverPosted runs).
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <vector>

namespace brimvale {

inline constexpr int NOTIFY_REDRAW = 2;
inline constexpr int NOTIFY_DOCUMENT_RESET = 50;
inline constexpr int NOTIFY_DOCUMENT_LOADED = 51;
inline constexpr int NOTIFY_CURRENT_OBJECT = 52;
inline constexpr int NOTIFY_CAMERA_MOVED = 57;
inline constexpr int NOTIFY_CURRENT_MATERIAL = 58;
inline constexpr int WM_DOC_NOTIFY = 0x0400 + 200;  // WM_USER + 200

class CDocListener {
 public:
  virtual ~CDocListener() = default;
  // wordParam is (high << 16) | low.
  virtual void OnDocNotify(int code, uint32_t wordParam) = 0;
};

class CNotificationHub {
 public:
  using PostHook = std::function<void(std::function<void()>)>;
  using CursorHook = std::function<void(bool busy)>;

  void Register(CDocListener* listener);
  void Unregister(CDocListener* listener);
  void Clear();
  size_t ListenerCount() const { return m_Listeners.size(); }

  void NotifyAll(int code, const CDocListener* sender = nullptr, uint16_t high = 0, uint16_t low = 0);
  void PostNotifyAll(int code, const CDocListener* sender = nullptr, uint16_t high = 0, uint16_t low = 0);
  void DeliverPosted();

  void SetPostHook(PostHook hook) { m_PostHook = std::move(hook); }
  void SetCursorHook(CursorHook hook) { m_CursorHook = std::move(hook); }

 private:
  void Deliver(int code, const CDocListener* sender, uint32_t wordParam);

  std::vector<CDocListener*> m_Listeners;
  std::deque<std::function<void()>> m_Pending;
  PostHook m_PostHook;
  CursorHook m_CursorHook;
};

}  // namespace brimvale
