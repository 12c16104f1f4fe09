#include "document/notification_hub.h"

#include <algorithm>

namespace brimvale {

void CNotificationHub::Register(CDocListener* listener) {
  if (listener && std::find(m_Listeners.begin(), m_Listeners.end(), listener) == m_Listeners.end()) {
    m_Listeners.push_back(listener);
  }
}

void CNotificationHub::Unregister(CDocListener* listener) {
  m_Listeners.erase(std::remove(m_Listeners.begin(), m_Listeners.end(), listener), m_Listeners.end());
}

void CNotificationHub::Clear() { m_Listeners.clear(); }

void CNotificationHub::Deliver(int code, const CDocListener* sender, uint32_t wordParam) {
  // A listener may unregister itself (or another) while being notified, so
  // walk a snapshot and skip any that left in the meantime.
  const std::vector<CDocListener*> snapshot = m_Listeners;
  for (CDocListener* listener : snapshot) {
    if (listener == sender) continue;
    if (std::find(m_Listeners.begin(), m_Listeners.end(), listener) == m_Listeners.end()) continue;
    listener->OnDocNotify(code, wordParam);
  }
}

void CNotificationHub::NotifyAll(int code, const CDocListener* sender, uint16_t high, uint16_t low) {
  if (m_CursorHook) m_CursorHook(true);
  Deliver(code, sender, (static_cast<uint32_t>(high) << 16) | low);
  if (m_CursorHook) m_CursorHook(false);
}

void CNotificationHub::PostNotifyAll(int code, const CDocListener* sender, uint16_t high, uint16_t low) {
  if (m_CursorHook) m_CursorHook(true);
  const uint32_t word = (static_cast<uint32_t>(high) << 16) | low;
  auto delivery = [this, code, sender, word] { Deliver(code, sender, word); };
  if (m_PostHook) {
    m_PostHook(std::move(delivery));
  } else {
    m_Pending.push_back(std::move(delivery));
  }
  if (m_CursorHook) m_CursorHook(false);
}

void CNotificationHub::DeliverPosted() {
  while (!m_Pending.empty()) {
    auto delivery = std::move(m_Pending.front());
    m_Pending.pop_front();
    delivery();
  }
}

}  // namespace brimvale
